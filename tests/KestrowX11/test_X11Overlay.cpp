#include "Kestrow/Capture/CaptureOverlay.hpp"
#include "Kestrow/Capture/QtScreenSource.hpp"
#include "Kestrow/Capture/ScreenCapture.hpp"
#include "Kestrow/Capture/SelectionView.hpp"
#include "Kestrow/Platform/Hotkeys.hpp"
#include "Kestrow/Shell/HUDPill.hpp"
#include "Kestrow/Shell/HUDTokens.hpp"
#include "Kestrow/Shell/Shortcut.hpp"
#include "Kestrow/Shell/Toast.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QWidget>

using namespace Kestrow;

namespace {

void pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

void xdotool(const QStringList& args) {
    ASSERT_EQ(QProcess::execute("xdotool", args), 0);
    pump(200);
}

// A window in known colours: left half red, right half blue, at a known place.
class Fixture : public QWidget {
public:
    explicit Fixture(QRect where) : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint) {
        setGeometry(where);
        show();
        pump(300);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(0, 0, width() / 2, height(), QColor(220, 40, 40));
        p.fillRect(width() / 2, 0, width() - width() / 2, height(), QColor(40, 40, 220));
    }
};

struct Selection {
    QtScreenSource source;
    CaptureOverlay overlay{source};
    int calls = 0;
    std::optional<RegionSelection> result;
    bool begin() {
        return overlay.begin("Drag over a table. Esc cancels.", [this](std::optional<RegionSelection> r) {
            ++calls;
            result = std::move(r);
        });
    }
};

}  // namespace

// Coordinates for xdotool, which works in device pixels, from logical ones.
QString px(double logical) {
    return QString::number(qRound(logical * QGuiApplication::primaryScreen()->devicePixelRatio()));
}

// Also run with QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt): sizes follow the pixel ratio.
TEST(X11Overlay, DragSelectsOverTheFrozenFrame) {
    const double dpr = QGuiApplication::primaryScreen()->devicePixelRatio();
    Fixture fixture(QRect(50, 50, 400, 300));
    Selection s;
    ASSERT_TRUE(s.begin());
    pump(200);
    ASSERT_FALSE(s.overlay.views().empty());
    EXPECT_TRUE(s.overlay.views()[0]->isVisible());
    xdotool({"mousemove", px(100), px(100), "mousedown", "1"});
    xdotool({"mousemove", px(200), px(150), "mousemove", px(300), px(200), "mouseup", "1"});
    ASSERT_EQ(s.calls, 1);
    ASSERT_TRUE(s.result.has_value());
    EXPECT_EQ(s.result->rect, QRectF(100, 100, 200, 100));
    const auto shot = ScreenCapture::capture(s.result->frame, s.result->rect);
    EXPECT_DOUBLE_EQ(shot.scale, dpr);
    EXPECT_EQ(shot.image.size(), QSize(qRound(200 * dpr), qRound(100 * dpr)));
    EXPECT_EQ(shot.image.pixelColor(qRound(10 * dpr), qRound(10 * dpr)), QColor(220, 40, 40));
    EXPECT_EQ(shot.image.pixelColor(qRound(190 * dpr), qRound(90 * dpr)), QColor(40, 40, 220));
    EXPECT_FALSE(s.overlay.isSelecting());
}

TEST(X11Overlay, EscapeCancelsOnceAndHotKeysStillWorkAfterwards) {
    Selection s;
    ASSERT_TRUE(s.begin());
    pump(200);
    xdotool({"mousemove", "400", "300", "mousedown", "1", "mousemove", "404", "304", "mouseup", "1"});
    EXPECT_EQ(s.calls, 0);  // too small: still selecting
    xdotool({"key", "Escape"});
    EXPECT_EQ(s.calls, 1);
    EXPECT_FALSE(s.result.has_value());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Our own pills are taken away before the screen is frozen, so they never end up in a capture.
TEST(X11Overlay, ToastIsNotCaptured) {
    Fixture fixture(QRect(0, 0, 1280, 400));
    Toast::show("Copied 3 × 4 table", ToastKind::success, 30);
    pump(300);
    ASSERT_NE(Toast::current(), nullptr);
    const QRect pill = Toast::current()->geometry();
    // How the pill looks on a real X server (shaped corners, no compositor), for a person to see.
    const QString shots = QStringLiteral(VANTREL_SCREENSHOT_DIR);
    QDir().mkpath(shots);
    QProcess::execute("import", {"-window", "root", "-crop", "700x120+290+0", shots + "/x11-toast.png"});
    Selection s;
    s.overlay.prepare = [] { Toast::dismiss(); };
    ASSERT_TRUE(s.begin());
    pump(100);
    const FrozenFrame frame = s.overlay.views()[0]->frame();
    xdotool({"key", "Escape"});
    const QColor fill = HUDTokens::fill();
    int pillPixels = 0;
    for (int y = pill.top(); y <= pill.bottom(); y += 2)
        for (int x = pill.left(); x <= pill.right(); x += 2) pillPixels += frame.image.pixelColor(x, y) == fill;
    EXPECT_EQ(pillPixels, 0);
}

TEST(X11Overlay, KeyNamesFollowTheLayout) {
    EXPECT_EQ(Shortcut::keyName(29), QStringLiteral("Y"));
    ASSERT_EQ(QProcess::execute("setxkbmap", {"de"}), 0);
    pump(100);
    EXPECT_EQ(Shortcut::keyName(29), QStringLiteral("Z"));
    ASSERT_EQ(QProcess::execute("setxkbmap", {"us"}), 0);
    pump(100);
    EXPECT_EQ(Shortcut::keyName(29), QStringLiteral("Y"));
}

// Run with two RandR monitors side by side (see tests/CMakeLists.txt); skipped otherwise.
TEST(X11Overlay, DragOnTheSecondMonitor) {
    QtScreenSource source;
    const auto screens = source.screens();
    if (screens.size() < 2) GTEST_SKIP() << "one monitor";
    ASSERT_EQ(screens[1].geometry.topLeft(), QPoint(1440, 0));
    Fixture fixture(QRect(1500, 50, 400, 300));
    Selection s;
    ASSERT_TRUE(s.begin());
    pump(200);
    ASSERT_EQ(s.overlay.views().size(), 2u);
    xdotool({"mousemove", "1600", "100", "mousedown", "1"});
    xdotool({"mousemove", "1700", "150", "mousemove", "1800", "300", "mouseup", "1"});
    ASSERT_EQ(s.calls, 1);
    ASSERT_TRUE(s.result.has_value());
    EXPECT_EQ(s.result->rect, QRectF(1600, 100, 200, 200));
    EXPECT_EQ(s.result->frame.screen.geometry, QRect(1440, 0, 1440, 900));
    EXPECT_EQ(s.result->frame.image.size(), QSize(1440, 900));
    const auto shot = ScreenCapture::capture(s.result->frame, s.result->rect);
    EXPECT_EQ(shot.image.pixelColor(5, 5), QColor(220, 40, 40));
}

// The hot key opens the overlay again after an Escape: the key's release went to the overlay's
// keyboard grab, and must not leave the key looking held.
TEST(X11Overlay, HotKeyOpensTheOverlayEveryTime) {
    Selection s;
    auto keys = Hotkeys::forPlatform();
    int refused = 0;
    ASSERT_EQ(keys->registerAll({{Shortcut::defaultCapture(), [&] { refused += !s.begin(); }}}), (std::vector<bool>{true}));
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        xdotool({"key", "--clearmodifiers", "super+shift+t"});
        EXPECT_TRUE(s.overlay.isSelecting());
        // Pressed again while open: refused, the running selection untouched.
        xdotool({"key", "--clearmodifiers", "super+shift+t"});
        EXPECT_TRUE(s.overlay.isSelecting());
        xdotool({"key", "Escape"});
        EXPECT_FALSE(s.overlay.isSelecting());
    }
    EXPECT_EQ(s.calls, 3);
}
