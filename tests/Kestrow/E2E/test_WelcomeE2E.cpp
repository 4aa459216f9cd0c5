#include "KestrowSupport/WaitFor.hpp"
#include "KestrowSupport/XSession.hpp"

#include <gtest/gtest.h>

#include <QPoint>
#include <QThread>

// The first run of the application under a private X server: the welcome window opens once,
// leads to the sample table, and the sample is captured for real through the overlay.
using KestrowTest::waitFor;
using KestrowTest::XSession;

namespace {

struct Launch {
    XSession& x;
    QProcess* app = nullptr;
    QByteArray log;

    const QByteArray& readLog()
    {
        if (app)
            log += app->readAllStandardError();
        return log;
    }
    bool launch()
    {
        app = &x.start(VANTREL_APP, {});
        return waitFor([&] { return readLog().contains("Vantrel: engine loaded"); }, 60000);
    }
    void quit()
    {
        app->terminate();
        app->waitForFinished(10000);
        readLog();
    }
    // Visible windows titled exactly so.
    int windows(const QString& title)
    {
        const QByteArray out = x.run("xdotool", {"search", "--onlyvisible", "--name", "^" + title + "$"});
        return static_cast<int>(out.trimmed().isEmpty() ? 0 : out.trimmed().split('\n').size());
    }
    // Keys go to the window under the pointer when no window manager runs.
    void key(const QString& title, const QString& keys)
    {
        x.xdotool({"search", "--onlyvisible", "--name", "^" + title + "$", "windowfocus", "--sync"});
        QThread::msleep(150);
        x.xdotool({"key", keys});
        QThread::msleep(250);
    }
    void drag(QPoint from, QPoint to)
    {
        x.xdotool({"mousemove", QString::number(from.x()), QString::number(from.y())});
        x.xdotool({"mousedown", "1"});
        for (int i = 1; i <= 5; ++i) {
            const QPoint p = from + (to - from) * i / 5;
            x.xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
            QThread::msleep(30);
        }
        x.xdotool({"mouseup", "1"});
    }
};

}  // namespace

TEST(WelcomeE2E, AFirstRunGreetsOnceAndTheSampleIsCapturedForReal)
{
    XSession x;
    ASSERT_TRUE(x.ok());
    Launch run{x};
    ASSERT_TRUE(run.launch()) << run.readLog().toStdString();
    ASSERT_TRUE(waitFor([&] { return run.windows("Welcome") == 1; }, 5000));
    EXPECT_TRUE(run.readLog().contains("onboarding pending"));

    // Welcome, Shortcuts, then the sample step, whose "Open Sample Table" has the focus.
    run.key("Welcome", "Return");
    run.key("Welcome", "Return");
    run.key("Welcome", "space");
    ASSERT_TRUE(waitFor([&] { return run.windows("Sample Table") == 1; }, 5000)) << run.readLog().toStdString();
    EXPECT_TRUE(waitFor([&] { return run.windows("Welcome") == 0; }, 3000));

    // Return in the sample window starts a capture; drag over the table in its picture (the
    // window, 820 x 540, is centred on the 1280 x 800 screen).
    run.key("Sample Table", "Return");
    waitFor([] { return false; }, 800);
    run.drag({340, 322}, {940, 612});
    EXPECT_TRUE(waitFor([&] { return run.windows("8 × 6 table") == 1; }, 60000))
        << run.readLog().toStdString() << x.run("xwininfo", {"-root", "-tree"}).toStdString();
    run.quit();

    // Onboarding was finished: the next launch opens no welcome.
    Launch again{x};
    ASSERT_TRUE(again.launch()) << again.readLog().toStdString();
    EXPECT_TRUE(again.readLog().contains("onboarding done"));
    waitFor([] { return false; }, 1000);
    EXPECT_EQ(again.windows("Welcome"), 0);
}
