#include "Kestrow/Platform/X11Hotkeys.hpp"
#include "Kestrow/Settings/ShortcutRecorder.hpp"
#include "Kestrow/Settings/ShortcutsPage.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "tests/Kestrow/TempDefaults.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QVBoxLayout>

#include <X11/Xlib.h>

using namespace Kestrow;

namespace {

void pumpFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

void key(const char* keys)
{
    ASSERT_EQ(QProcess::execute("xdotool", {"key", "--clearmodifiers", QString::fromLatin1(keys)}), 0);
    pumpFor(300);
}

}  // namespace

// A shortcut recorded from real key presses is grabbed at once: the new keys fire the capture,
// the old ones no longer do.
TEST(X11ShortcutRecorder, RecordedShortcutFiresTheCaptureAtOnce)
{
    TempDefaults t;
    AppSettings settings(t.make());
    settings.applyAppearance = nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    X11Hotkeys keys(x11->connection(), std::uint32_t(DefaultRootWindow(x11->display())));
    int captures = 0;
    auto registerKeys = [&] {
        const auto ok = keys.registerAll({{settings.captureShortcut(), [&] { ++captures; }}});
        settings.setShortcutConflicts(ok.at(0) ? std::set<ShortcutSlot>{} : std::set<ShortcutSlot>{ShortcutSlot::capture});
    };
    settings.onShortcutsChanged = registerKeys;
    registerKeys();

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* page = new ShortcutsPage(settings);
    layout->addWidget(page);
    window.show();
    window.raise();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // No window manager runs under Xvfb: focus is given directly.
    ASSERT_EQ(QProcess::execute("xdotool", {"windowfocus", "--sync", QString::number(window.winId())}), 0);
    pumpFor(200);
    page->captureRecorder()->click();
    ASSERT_TRUE(page->captureRecorder()->recording().isRecording());

    key("ctrl+alt+t");
    EXPECT_FALSE(page->captureRecorder()->recording().isRecording());
    const Shortcut recorded{28, Shortcut::command | Shortcut::option};
    EXPECT_EQ(settings.captureShortcut(), recorded);
    EXPECT_EQ(page->captureRecorder()->shownText(), QStringLiteral("Alt+Ctrl+T"));
    EXPECT_EQ(captures, 0) << "the recorded press itself is no capture";

    key("ctrl+alt+t");
    EXPECT_EQ(captures, 1);
    key("super+shift+t");
    EXPECT_EQ(captures, 1);
    EXPECT_TRUE(page->captureWarning()->isHidden());
    keys.unregisterAll();
}
