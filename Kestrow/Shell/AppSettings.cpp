#include "Kestrow/Shell/AppSettings.hpp"

#include "Kestrow/Shell/Theme.hpp"

namespace Kestrow {

namespace {
const QString appearanceKey = QStringLiteral("appearance");
const QString captureKey = QStringLiteral("captureShortcut");
const QString quickCaptureKey = QStringLiteral("quickCaptureShortcut");
const QString thresholdKey = QStringLiteral("flagThreshold");
const QString onboardingKey = QStringLiteral("onboardingDone");
const QString appIconKey = QStringLiteral("appIcon");
const QString dockIconKey = QStringLiteral("dockIcon");
const QString notchHintKey = QStringLiteral("notchHintLastShown");

void call(const std::function<void()>& hook) {
    if (hook) hook();
}
}  // namespace

AppSettings::AppSettings(Defaults defaults, QObject* parent) : QObject(parent), d_(std::move(defaults)) {
    // Reading fires nothing and writes nothing.
    if (auto s = d_.string(appearanceKey)) appearance_ = AppearanceText::fromRawValue(*s).value_or(Appearance::system);
    captureShortcut_ = loadShortcut(captureKey).value_or(Shortcut::defaultCapture());
    quickCaptureShortcut_ = loadShortcut(quickCaptureKey).value_or(Shortcut::defaultQuickCapture());
    flagThreshold_ = d_.number(thresholdKey).value_or(defaultFlagThreshold);
    onboardingDone_ = d_.boolean(onboardingKey).value_or(false);
    if (auto s = d_.string(appIconKey)) appIcon_ = AppIconChoiceText::fromRawValue(*s).value_or(AppIconChoice::dark);
    if (auto s = d_.string(dockIconKey))
        dockIcon_ = DockIconModeText::fromRawValue(*s).value_or(DockIconMode::whileWindowOpen);
    language_ = AppLanguageText::current(d_);
    languageAtLaunch_ = language_;
    applyAppearance = [](Appearance a) { Theme::shared().setAppearance(a); };
}

AppSettings& AppSettings::shared() {
    static AppSettings* instance = new AppSettings(Defaults::standard());
    return *instance;
}

Shortcut AppSettings::shortcut(ShortcutSlot slot) const {
    return slot == ShortcutSlot::capture ? captureShortcut_ : quickCaptureShortcut_;
}

void AppSettings::setAppearance(Appearance value) {
    appearance_ = value;
    d_.setString(appearanceKey, AppearanceText::rawValue(value));
    if (applyAppearance) applyAppearance(value);
    emit changed();
}

void AppSettings::setCaptureShortcut(Shortcut value) {
    captureShortcut_ = value;
    saveShortcut(value, captureKey);
    emit changed();
    call(onShortcutsChanged);
}

void AppSettings::setQuickCaptureShortcut(Shortcut value) {
    quickCaptureShortcut_ = value;
    saveShortcut(value, quickCaptureKey);
    emit changed();
    call(onShortcutsChanged);
}

void AppSettings::setShortcut(ShortcutSlot slot, Shortcut value) {
    if (slot == ShortcutSlot::capture)
        setCaptureShortcut(value);
    else
        setQuickCaptureShortcut(value);
}

void AppSettings::setFlagThreshold(double value) {
    flagThreshold_ = value;
    d_.setNumber(thresholdKey, value);
    emit changed();
}

void AppSettings::setOnboardingDone(bool value) {
    onboardingDone_ = value;
    d_.setBoolean(onboardingKey, value);
    emit changed();
}

void AppSettings::setAppIcon(AppIconChoice value) {
    appIcon_ = value;
    d_.setString(appIconKey, AppIconChoiceText::rawValue(value));
    emit changed();
    call(onIconChanged);
}

void AppSettings::setDockIcon(DockIconMode value) {
    dockIcon_ = value;
    d_.setString(dockIconKey, DockIconModeText::rawValue(value));
    emit changed();
    call(onDockIconChanged);
}

void AppSettings::setShortcutConflicts(std::set<ShortcutSlot> value) {
    shortcutConflicts_ = std::move(value);
    emit changed();
}

void AppSettings::setLanguage(AppLanguage value) {
    language_ = value;
    AppLanguageText::apply(value, d_);
    emit changed();
}

std::optional<QDateTime> AppSettings::notchHintLastShown() const { return d_.date(notchHintKey); }

void AppSettings::setNotchHintLastShown(std::optional<QDateTime> when) {
    if (when)
        d_.setDate(notchHintKey, *when);
    else
        d_.remove(notchHintKey);
}

void AppSettings::saveShortcut(const Shortcut& s, const QString& key) {
    const QByteArray json = s.toJson();
    if (json.isEmpty())
        d_.remove(key);
    else
        d_.setData(key, json);
}

std::optional<Shortcut> AppSettings::loadShortcut(const QString& key) const {
    const std::optional<QByteArray> data = d_.data(key);
    if (!data) return std::nullopt;
    return Shortcut::fromJson(*data);
}

}  // namespace Kestrow
