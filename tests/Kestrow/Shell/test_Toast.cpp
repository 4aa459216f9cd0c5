#include "Kestrow/Shell/HUDPill.hpp"
#include "Kestrow/Shell/ProgressHUD.hpp"
#include "Kestrow/Shell/Toast.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QThread>

using namespace Kestrow;

namespace {
void pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
}  // namespace

TEST(Toast, DisplayTime) {
    const struct {
        QString text;
        double seconds;
    } cases[] = {
        {"", 2.0},
        {QString(20, u'a'), 2.0},
        {QString(54, u'a'), 3.0},
        {QString(90, u'a'), 5.0},
        // 54 user-perceived characters, each an e and a combining acute accent.
        {QString(54, u'e').replace("e", QStringLiteral("e\u0301")), 3.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        EXPECT_DOUBLE_EQ(Toast::displaySeconds(c.text), c.seconds);
    }
}

TEST(Toast, NewToastReplacesOldAndOldTimerLeavesItAlone) {
    Toast::show("first", ToastKind::plain, 0.05);
    QPointer<HUDPill> first = Toast::current();
    ASSERT_TRUE(first);
    Toast::show("second", ToastKind::success, 0.3);
    QPointer<HUDPill> second = Toast::current();
    pump(20);
    EXPECT_FALSE(first && first->isVisible());
    pump(100);  // the first toast's time is over
    EXPECT_EQ(Toast::current(), second.data());
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->text(), QStringLiteral("second"));
    EXPECT_TRUE(second->windowFlags() & Qt::WindowTransparentForInput);
    pump(300);
    EXPECT_EQ(Toast::current(), nullptr);
    EXPECT_FALSE(second);
}

TEST(Toast, PillGeometry) {
    const QRect screen(0, 0, 1440, 900);
    const QRect frame = HUDPill::frameFor({300, 40}, screen, screen);
    EXPECT_EQ(frame, QRect(570, 36, 300, 40));  // centred, 24 + 12 from the top
    EXPECT_EQ(HUDPill::frameFor({300, 40}, screen, QRect(0, 30, 1440, 870)).top(), 42);
    HUDPill longPill(QString(400, u'w').replace(QStringLiteral("wwwww"), QStringLiteral("www ")), HUDPill::Leading::success, true);
    HUDPill shortPill("Copied 3 × 4 table", HUDPill::Leading::success, true);
    EXPECT_LE(longPill.sizeHint().width(), HUDPill::maxWidth);
    EXPECT_GT(longPill.sizeHint().height(), 2 * shortPill.sizeHint().height());
}

TEST(ProgressHUD, EndBeforeTheDelayShowsNothing) {
    ProgressHUD hud;
    hud.begin("Reading table…", 0.05);
    hud.end();
    pump(100);
    EXPECT_EQ(hud.panel(), nullptr);
    hud.end();  // twice is fine
}

TEST(ProgressHUD, SecondBeginWins) {
    ProgressHUD hud;
    hud.begin("first", 0.03);
    hud.begin("second", 0.03);
    pump(80);
    ASSERT_NE(hud.panel(), nullptr);
    EXPECT_EQ(hud.panel()->text(), QStringLiteral("second"));
    EXPECT_EQ(hud.panel()->leading(), HUDPill::Leading::spinner);
    QPointer<HUDPill> panel = hud.panel();
    hud.end();
    pump(10);
    EXPECT_FALSE(panel);
}
