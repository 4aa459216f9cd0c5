#pragma once

#include "Kestrow/Settings/UpdateFetcher.hpp"

#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

#include <functional>
#include <memory>

class QAction;

namespace Kestrow {

class Defaults;

struct UpdateCheckResult {
    enum class Kind { upToDate, available, failed };
    Kind kind = Kind::failed;
    QString version;  // the feed's version when read
    QUrl page;        // where to get it, when available
    QString reason;   // why it failed
    bool userStarted = false;
};

// The only part of the application that may go online. A build is set up for updates only when
// it was given an https feed address and a signing key at build time (VANTREL_UPDATE_FEED_URL,
// VANTREL_UPDATE_PUBLIC_KEY); otherwise it never fetches anything. A check only tells the user
// about a newer version and offers its download page: nothing is downloaded or run.
//
//     auto& u = UpdateController::shared();
//     menu->addAction(u.makeMenuItem(menu));
class UpdateController final : public QObject {
    Q_OBJECT
public:
    UpdateController(QVariantMap info, Defaults& defaults, std::unique_ptr<UpdateFetcher> fetcher,
                     QString currentVersion, QObject* parent = nullptr);
    ~UpdateController() override;
    static UpdateController& shared();

    // Both keys present as text, an https feed with a real host, a real key.
    static bool isConfigured(const QVariantMap& info);
    static bool isPlaceholder(const QString& text);
    // What this build was given ("SUFeedURL", "SUPublicEDKey"), empty when nothing.
    static QVariantMap buildInfo();

    bool isConfigured() const { return configured_; }
    bool canCheckForUpdates() const { return canCheck_; }
    bool automaticallyChecks() const { return automaticallyChecks_; }
    void setAutomaticallyChecks(bool on);
    QString feedHost() const { return feed_.host(); }

    // A check the user asked for; its outcome always reaches `presentResult`.
    void checkForUpdates();
    // "Check for Updates…", enabled only while a check may start.
    QAction* makeMenuItem(QObject* parent);
    bool validateMenuItem() const { return configured_ && canCheck_; }

    // Shows an outcome; the default opens a message box (with the download page's button).
    std::function<void(const UpdateCheckResult&)> presentResult;

signals:
    void changed();

private:
    void check(bool userStarted);
    void finish(UpdateCheckResult result);

    bool configured_ = false;
    bool canCheck_ = false;
    bool automaticallyChecks_ = false;
    QUrl feed_;
    Defaults& defaults_;
    std::unique_ptr<UpdateFetcher> fetcher_;
    QString currentVersion_;
    QTimer daily_;
};

}  // namespace Kestrow
