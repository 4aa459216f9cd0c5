#pragma once

#include "Kestrow/Shell/AppIconChoice.hpp"
#include "Kestrow/Shell/AppLanguage.hpp"
#include "Kestrow/Shell/Appearance.hpp"
#include "Kestrow/Shell/Defaults.hpp"
#include "Kestrow/Shell/DockIconMode.hpp"
#include "Kestrow/Shell/Shortcut.hpp"
#include "Kestrow/Shell/ShortcutSlot.hpp"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <optional>
#include <set>

namespace Kestrow {

// The application's settings, read once from the preference store when made; every change is
// written back at once. Unreadable stored values fall back to their defaults. Main thread only.
//
//     AppSettings& s = AppSettings::shared();             // the application's instance
//     AppSettings t(Defaults::atPath(tmp + "/t.conf"));   // tests: a store of their own
//     s.onShortcutsChanged = [&] { registerHotkeys(); };
//     s.setCaptureShortcut({28, Shortcut::control | Shortcut::shift});  // stores, then calls the hook
//     connect(&s, &AppSettings::changed, view, &View::refresh);
class AppSettings : public QObject {
    Q_OBJECT
public:
    explicit AppSettings(Defaults defaults, QObject* parent = nullptr);
    static AppSettings& shared();

    Defaults& defaults() { return d_; }

    Appearance appearance() const { return appearance_; }
    Shortcut captureShortcut() const { return captureShortcut_; }
    Shortcut quickCaptureShortcut() const { return quickCaptureShortcut_; }
    double flagThreshold() const { return flagThreshold_; }
    bool onboardingDone() const { return onboardingDone_; }
    AppIconChoice appIcon() const { return appIcon_; }
    DockIconMode dockIcon() const { return dockIcon_; }
    const std::set<ShortcutSlot>& shortcutConflicts() const { return shortcutConflicts_; }
    AppLanguage language() const { return language_; }
    AppLanguage languageAtLaunch() const { return languageAtLaunch_; }
    Shortcut shortcut(ShortcutSlot slot) const;

    // Each setter stores the value, applies its effect and calls its hook, even when the
    // value is unchanged.
    void setAppearance(Appearance value);
    void setCaptureShortcut(Shortcut value);
    void setQuickCaptureShortcut(Shortcut value);
    void setShortcut(ShortcutSlot slot, Shortcut value);
    void setFlagThreshold(double value);
    void setOnboardingDone(bool value);
    void setAppIcon(AppIconChoice value);
    void setDockIcon(DockIconMode value);
    void setShortcutConflicts(std::set<ShortcutSlot> value);
    void setLanguage(AppLanguage value);

    std::optional<QDateTime> notchHintLastShown() const;
    void setNotchHintLastShown(std::optional<QDateTime> when);

    // Applies the appearance to the application; the default shows the theme's palette.
    std::function<void(Appearance)> applyAppearance;
    std::function<void()> onIconChanged;
    std::function<void()> onDockIconChanged;
    std::function<void()> onShortcutsChanged;

    static constexpr double defaultFlagThreshold = 0.8;

signals:
    // Any published value changed.
    void changed();

private:
    void saveShortcut(const Shortcut& s, const QString& key);
    std::optional<Shortcut> loadShortcut(const QString& key) const;

    Defaults d_;
    Appearance appearance_ = Appearance::system;
    Shortcut captureShortcut_ = Shortcut::defaultCapture();
    Shortcut quickCaptureShortcut_ = Shortcut::defaultQuickCapture();
    double flagThreshold_ = defaultFlagThreshold;
    bool onboardingDone_ = false;
    AppIconChoice appIcon_ = AppIconChoice::dark;
    DockIconMode dockIcon_ = DockIconMode::whileWindowOpen;
    std::set<ShortcutSlot> shortcutConflicts_;
    AppLanguage language_ = AppLanguage::system;
    AppLanguage languageAtLaunch_ = AppLanguage::system;
};

}  // namespace Kestrow
