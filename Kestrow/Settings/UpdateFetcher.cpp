#include "Kestrow/Settings/UpdateFetcher.hpp"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace Kestrow {

NetworkUpdateFetcher::NetworkUpdateFetcher() : network_(std::make_unique<QNetworkAccessManager>()) {}
NetworkUpdateFetcher::~NetworkUpdateFetcher() = default;

void NetworkUpdateFetcher::fetch(const QUrl& url, qint64 maxBytes, int timeoutMs, std::function<void(Reply)> done) {
    if (url.scheme() != QLatin1String("https") || url.host().isEmpty()) {
        done({{}, QCoreApplication::translate("UpdateFetcher", "The update address is not secure.")});
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = network_->get(request);
    auto finished = std::make_shared<bool>(false);
    auto finish = [reply, finished, done](Reply r) {
        if (*finished) return;
        *finished = true;
        reply->deleteLater();
        done(std::move(r));
    };
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply, maxBytes, finish](qint64 received, qint64 total) {
        if (received > maxBytes || total > maxBytes) {
            finish({{}, QCoreApplication::translate("UpdateFetcher", "The update feed is too large.")});
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, maxBytes, finish] {
        if (reply->error() != QNetworkReply::NoError) {
            finish({{}, reply->errorString()});
            return;
        }
        QByteArray body = reply->read(maxBytes + 1);
        if (body.size() > maxBytes) {
            finish({{}, QCoreApplication::translate("UpdateFetcher", "The update feed is too large.")});
            return;
        }
        finish({std::move(body), std::nullopt});
    });
}

}  // namespace Kestrow
