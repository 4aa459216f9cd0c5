#include "Kestrow/Shell/AppLanguage.hpp"
#include "Kestrow/Shell/Defaults.hpp"
#include "KestrowSupport/WaitFor.hpp"
#include "KestrowSupport/XSession.hpp"

#include <gtest/gtest.h>

// The application under a private X server: the interface language chosen in the settings
// applies from the next start, and the settings window's title is read back from the X server.
using KestrowTest::waitFor;
using KestrowTest::XSession;

namespace {

// The UTF-8 titles of the visible top-level windows, as the window manager would read them.
QStringList windowTitles(XSession& x)
{
    QStringList titles;
    const QByteArray ids = x.run("xdotool", {"search", "--onlyvisible", "--name", "."});
    for (const QByteArray& id : ids.split('\n')) {
        if (id.trimmed().isEmpty())
            continue;
        const QString line = QString::fromUtf8(x.run("xprop", {"-id", QString::fromLatin1(id.trimmed()), "_NET_WM_NAME"}));
        const int quote = line.indexOf(u'"');
        if (quote >= 0)
            titles << line.mid(quote + 1).section(u'"', 0, 0);
    }
    return titles;
}

}  // namespace

TEST(LanguageE2E, VietnameseShowsAfterARestart)
{
    XSession x;
    ASSERT_TRUE(x.ok());
    const QString config = x.home() + QStringLiteral("/config/Vantrel/Vantrel.ini");
    {
        // Past the welcome guide: the first start opens the settings on General.
        Kestrow::Defaults d = Kestrow::Defaults::atPath(config);
        d.setBoolean(QStringLiteral("onboardingDone"), true);
        d.sync();
    }
    QProcess& first = x.start(VANTREL_APP, {});
    ASSERT_TRUE(waitFor([&] { return windowTitles(x).contains(QStringLiteral("Settings")); }, 60000))
        << windowTitles(x).join(u'|').toStdString() << first.readAllStandardError().toStdString();
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(20000));

    {
        // What choosing "Tiếng Việt" in the language picker stores.
        Kestrow::Defaults d = Kestrow::Defaults::atPath(config);
        Kestrow::AppLanguageText::apply(Kestrow::AppLanguage::vietnamese, d);
        d.sync();
    }
    QProcess& second = x.start(VANTREL_APP, {});
    QByteArray log;
    ASSERT_TRUE(waitFor([&] { return (log += second.readAllStandardError()).contains("Vantrel: launch"); }, 60000))
        << log.toStdString();
    // Launching again while it runs brings up its settings (no other window is open).
    int code = -1;
    x.run(VANTREL_APP, {}, &code, 20000);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(waitFor([&] { return windowTitles(x).contains(QStringLiteral("Cài đặt")); }, 30000))
        << windowTitles(x).join(u'|').toStdString();
}
