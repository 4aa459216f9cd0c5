#include "Kestrow/Platform/Hotkeys.hpp"
#include "Kestrow/Platform/X11Hotkeys.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "tests/Kestrow/TempDefaults.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

using namespace Kestrow;

namespace {

const Shortcut capture = Shortcut::defaultCapture();         // Super+Shift+T
const Shortcut quick = Shortcut::defaultQuickCapture();      // Super+Alt+Shift+T

void pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

void press(const char* keys) {
    ASSERT_EQ(QProcess::execute("xdotool", {"key", "--clearmodifiers", QString::fromLatin1(keys)}), 0);
    pump(250);
}

std::unique_ptr<X11Hotkeys> makeHotkeys() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return std::make_unique<X11Hotkeys>(x11->connection(), std::uint32_t(DefaultRootWindow(x11->display())));
}

// Another X client that holds a key, as a second application would.
struct OtherClient {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    OtherClient(std::uint8_t key, std::uint16_t mods) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_generic_error_t* e = xcb_request_check(
            c, xcb_grab_key_checked(c, 1, root, mods, key, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        EXPECT_EQ(e, nullptr);
        std::free(e);
    }
    ~OtherClient() { xcb_disconnect(c); }
};

}  // namespace

TEST(X11Hotkeys, PlatformBackendIsX11) {
    auto keys = Hotkeys::forPlatform();
    EXPECT_NE(dynamic_cast<X11Hotkeys*>(keys.get()), nullptr);
    EXPECT_TRUE(keys->registerAll({}).empty());
}

TEST(X11Hotkeys, KeyHeldByAnotherClientIsAConflict) {
    OtherClient other(std::uint8_t(capture.keyCode), X11Hotkeys::xModifiers(capture.modifiers));
    auto keys = makeHotkeys();
    int a = 0, b = 0;
    EXPECT_EQ(keys->registerAll({{capture, [&] { ++a; }}, {quick, [&] { ++b; }}}), (std::vector<bool>{false, true}));
    press("super+alt+shift+t");
    EXPECT_EQ(b, 1);
    press("super+shift+t");
    EXPECT_EQ(a, 0);
}

TEST(X11Hotkeys, FiresWithNumLockOnAndRunsAfterTheEvent) {
    auto keys = makeHotkeys();
    int fired = 0;
    ASSERT_EQ(keys->registerAll({{capture, [&] { ++fired; }}}), (std::vector<bool>{true}));
    press("super+shift+t");
    EXPECT_EQ(fired, 1);
    press("Num_Lock");
    press("super+shift+t");
    press("Num_Lock");
    EXPECT_EQ(fired, 2);
}

TEST(X11Hotkeys, RepeatedEntriesAndInvalidKeysAreRefused) {
    auto keys = makeHotkeys();
    EXPECT_EQ(keys->registerAll({{capture, [] {}}, {capture, [] {}}, {{28, 0}, [] {}}, {{3, 0x1200}, [] {}},
                                 {{28, Shortcut::shift}, [] {}}}),
              (std::vector<bool>{true, false, false, false, false}));
}

TEST(X11Hotkeys, ChangingTheShortcutReRegisters) {
    TempDefaults t;
    AppSettings settings(t.make());
    settings.applyAppearance = nullptr;
    auto keys = makeHotkeys();
    int fired = 0;
    auto registerKeys = [&] { keys->registerAll({{settings.captureShortcut(), [&] { ++fired; }}}); };
    settings.onShortcutsChanged = registerKeys;
    registerKeys();
    settings.setCaptureShortcut({29, Shortcut::control | Shortcut::shift});  // Super+Shift+Y
    press("super+shift+t");
    EXPECT_EQ(fired, 0);
    press("super+shift+y");
    EXPECT_EQ(fired, 1);
    keys->unregisterAll();
    press("super+shift+y");
    EXPECT_EQ(fired, 1);
}

// A held key repeats as presses without releases, or as release-press pairs with one timestamp.
TEST(X11Hotkeys, AutorepeatIsIgnored) {
    auto keys = makeHotkeys();
    int fired = 0;
    ASSERT_EQ(keys->registerAll({{capture, [&] { ++fired; }}}), (std::vector<bool>{true}));
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const std::uint32_t root = std::uint32_t(DefaultRootWindow(x11->display()));
    const std::uint16_t mods = X11Hotkeys::xModifiers(capture.modifiers);
    auto send = [&](std::uint8_t type, std::uint32_t time, std::uint16_t state, std::uint32_t window = 0) {
        xcb_key_press_event_t e{};
        e.response_type = type;
        e.detail = std::uint8_t(capture.keyCode);
        e.event = window ? window : root;
        e.root = root;
        e.time = time;
        e.state = state;
        keys->filter(&e);
    };
    send(XCB_KEY_PRESS, 100, mods);
    send(XCB_KEY_PRESS, 140, mods);              // detectable repeat
    send(XCB_KEY_RELEASE, 180, mods);
    send(XCB_KEY_PRESS, 180, mods);              // classic repeat pair
    send(XCB_KEY_RELEASE, 300, XCB_MOD_MASK_4);  // shift already let go
    send(XCB_KEY_PRESS, 400, mods);              // a new press
    // The overlay's keyboard grab takes the release: it still counts.
    send(XCB_KEY_RELEASE, 450, mods, root + 1);
    send(XCB_KEY_PRESS, 600, mods);
    // A release that never came does not block the key for good.
    send(XCB_KEY_PRESS, 3000, mods);
    pump(50);
    EXPECT_EQ(fired, 4);
}
