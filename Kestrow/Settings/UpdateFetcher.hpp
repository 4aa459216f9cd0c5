#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;

namespace Kestrow {

// Fetches one small document. `done` runs once, on the caller's thread: with the body, or with
// the reason it failed (refused address, network error, too large, timed out).
class UpdateFetcher {
public:
    struct Reply {
        QByteArray body;
        std::optional<QString> error;
    };
    virtual ~UpdateFetcher() = default;
    virtual void fetch(const QUrl& url, qint64 maxBytes, int timeoutMs, std::function<void(Reply)> done) = 0;
};

// Over QNetworkAccessManager: https only, no redirects to anything but https, the body capped
// while it arrives, and a transfer timeout.
class NetworkUpdateFetcher final : public UpdateFetcher {
public:
    NetworkUpdateFetcher();
    ~NetworkUpdateFetcher() override;
    void fetch(const QUrl& url, qint64 maxBytes, int timeoutMs, std::function<void(Reply)> done) override;

private:
    std::unique_ptr<QNetworkAccessManager> network_;
};

}  // namespace Kestrow
