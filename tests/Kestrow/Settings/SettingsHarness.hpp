#pragma once

#include "Kestrow/Platform/LoginItem.hpp"
#include "Kestrow/Settings/SettingsContext.hpp"
#include "Kestrow/Settings/UpdateController.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "tests/Kestrow/TempDefaults.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <memory>

// Settings of the test's own, a fake login item and an update controller of a build that is
// not set up for updates: what the settings pages need, with nothing of the user's.
struct SettingsHarness {
    TempDefaults temp;
    Kestrow::AppSettings settings{temp.make()};
    Kestrow::Defaults frames{temp.make()};
    Kestrow::FakeLoginItem login;
    Kestrow::UpdateController updates{{}, frames, nullptr, QStringLiteral("1.0")};
    int relaunches = 0;

    SettingsHarness() { settings.applyAppearance = nullptr; }

    Kestrow::SettingsContext context()
    {
        Kestrow::SettingsContext c{settings, login, updates};
        c.relaunch = [this] { ++relaunches; };
        c.trayAvailable = [] { return true; };
        c.screenAccess = [] { return true; };
        return c;
    }
};

// A key press as X11 delivers it (with its keycode), through the same shortcut check first.
inline void sendKey(QWidget* target, int key, Qt::KeyboardModifiers mods, quint32 keycode, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, mods, keycode, 0, 0, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, keycode, 0, 0, text);
    QApplication::sendEvent(target, &release);
}

// Shows a window and waits until it is the active one (keys and window shortcuts need that).
inline bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window, 2000);
}
