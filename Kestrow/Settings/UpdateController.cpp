#include "Kestrow/Settings/UpdateController.hpp"

#include "Kestrow/Settings/UpdateFeed.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/Defaults.hpp"

#include <QAction>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>

namespace Kestrow {

namespace {
const QString feedKey = QStringLiteral("SUFeedURL");
const QString keyKey = QStringLiteral("SUPublicEDKey");
const QString autoKey = QStringLiteral("automaticallyChecksForUpdates");
const QString lastCheckKey = QStringLiteral("lastUpdateCheck");
constexpr int dayMs = 24 * 60 * 60 * 1000;

void showResult(const UpdateCheckResult& r) {
    QMessageBox box;
    box.setWindowTitle(QObject::tr("Software Update"));
    switch (r.kind) {
    case UpdateCheckResult::Kind::upToDate:
        box.setText(QObject::tr("You're up to date."));
        box.setInformativeText(QObject::tr("Vantrel %1 is the newest version.").arg(QStringLiteral(VANTREL_VERSION)));
        break;
    case UpdateCheckResult::Kind::failed:
        box.setIcon(QMessageBox::Warning);
        box.setText(QObject::tr("Vantrel could not check for updates."));
        box.setInformativeText(r.reason);
        break;
    case UpdateCheckResult::Kind::available: {
        box.setText(QObject::tr("Vantrel %1 is available.").arg(r.version));
        box.setInformativeText(QObject::tr("You have %1. Open the download page to get the new version.")
                                   .arg(QStringLiteral(VANTREL_VERSION)));
        QPushButton* open = box.addButton(QObject::tr("Open Download Page"), QMessageBox::AcceptRole);
        box.addButton(QObject::tr("Later"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() == open) QDesktopServices::openUrl(r.page);
        return;
    }
    }
    box.exec();
}
}  // namespace

bool UpdateController::isPlaceholder(const QString& text) {
    return text.isEmpty() || text.contains(QLatin1String("REPLACE_ME")) || text.endsWith(QLatin1String(".invalid")) ||
           text.contains(QLatin1String("example."));
}

bool UpdateController::isConfigured(const QVariantMap& info) {
    const QVariant feed = info.value(feedKey), key = info.value(keyKey);
    if (feed.typeId() != QMetaType::QString || key.typeId() != QMetaType::QString) return false;
    const QUrl url(feed.toString(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https")) return false;
    if (url.host().isEmpty() || isPlaceholder(url.host())) return false;
    return !isPlaceholder(key.toString());
}

QVariantMap UpdateController::buildInfo() {
    QVariantMap info;
#ifdef VANTREL_UPDATE_FEED_URL
    info.insert(feedKey, QStringLiteral(VANTREL_UPDATE_FEED_URL));
#endif
#ifdef VANTREL_UPDATE_PUBLIC_KEY
    info.insert(keyKey, QStringLiteral(VANTREL_UPDATE_PUBLIC_KEY));
#endif
    return info;
}

UpdateController& UpdateController::shared() {
    static UpdateController* controller = [] {
        const QVariantMap info = buildInfo();
        // An unconfigured build gets no network object at all.
        std::unique_ptr<UpdateFetcher> fetcher;
        if (isConfigured(info)) fetcher = std::make_unique<NetworkUpdateFetcher>();
        return new UpdateController(info, AppSettings::shared().defaults(), std::move(fetcher),
                                    QStringLiteral(VANTREL_VERSION));
    }();
    return *controller;
}

UpdateController::UpdateController(QVariantMap info, Defaults& defaults, std::unique_ptr<UpdateFetcher> fetcher,
                                   QString currentVersion, QObject* parent)
    : QObject(parent), defaults_(defaults), fetcher_(std::move(fetcher)), currentVersion_(std::move(currentVersion)) {
    presentResult = showResult;
    configured_ = isConfigured(info) && fetcher_;
    if (!configured_) return;
    feed_ = QUrl(info.value(feedKey).toString());
    canCheck_ = true;
    automaticallyChecks_ = defaults_.boolean(autoKey).value_or(false);
    daily_.setInterval(dayMs);
    connect(&daily_, &QTimer::timeout, this, [this] { check(false); });
    if (automaticallyChecks_) {
        daily_.start();
        const auto last = defaults_.date(lastCheckKey);
        if (!last || last->msecsTo(QDateTime::currentDateTimeUtc()) >= dayMs)
            QTimer::singleShot(0, this, [this] { check(false); });
    }
}

UpdateController::~UpdateController() = default;

void UpdateController::setAutomaticallyChecks(bool on) {
    if (!configured_) return;
    automaticallyChecks_ = on;
    defaults_.setBoolean(autoKey, on);
    if (on) daily_.start();
    else daily_.stop();
    emit changed();
}

void UpdateController::checkForUpdates() {
    if (configured_ && canCheck_) check(true);
}

void UpdateController::check(bool userStarted) {
    if (!configured_ || !canCheck_) return;
    canCheck_ = false;
    emit changed();
    defaults_.setDate(lastCheckKey, QDateTime::currentDateTimeUtc());
    fetcher_->fetch(feed_, UpdateFeed::maxBytes, UpdateFeed::timeoutMs, [this, userStarted](UpdateFetcher::Reply reply) {
        UpdateCheckResult r;
        r.userStarted = userStarted;
        if (reply.error) {
            r.reason = *reply.error;
        } else if (reply.body.size() > UpdateFeed::maxBytes) {
            r.reason = tr("The update feed is too large.");
        } else if (const auto entry = UpdateFeed::parse(reply.body); !entry) {
            r.reason = tr("The update feed could not be read.");
        } else {
            r.version = entry->version;
            r.page = entry->page;
            const auto mine = UpdateFeed::versionParts(currentVersion_).value_or(std::vector<unsigned>{0});
            r.kind = UpdateFeed::compareVersions(*UpdateFeed::versionParts(entry->version), mine) > 0
                         ? UpdateCheckResult::Kind::available
                         : UpdateCheckResult::Kind::upToDate;
        }
        finish(std::move(r));
    });
}

void UpdateController::finish(UpdateCheckResult result) {
    canCheck_ = true;
    emit changed();
    // Background checks speak only when there is something new.
    if (result.userStarted || result.kind == UpdateCheckResult::Kind::available)
        if (presentResult) presentResult(result);
}

QAction* UpdateController::makeMenuItem(QObject* parent) {
    auto* action = new QAction(tr("Check for Updates…"), parent);
    action->setEnabled(validateMenuItem());
    connect(action, &QAction::triggered, this, &UpdateController::checkForUpdates);
    connect(this, &UpdateController::changed, action, [this, action] { action->setEnabled(validateMenuItem()); });
    return action;
}

}  // namespace Kestrow
