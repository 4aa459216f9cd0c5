#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Settings/SettingsView.hpp"
#include "Kestrow/Settings/SettingsWindow.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "tests/Kestrow/Settings/SettingsHarness.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Kestrow;

// Each settings page in the light and the dark theme, for a person to look at; the test checks
// that each came out at the window's size and is not one flat colour.
TEST(SettingsScreenshots, EachPageLightAndDark)
{
#ifdef VANTREL_SCREENSHOT_DIR
    const QString dir = QStringLiteral(VANTREL_SCREENSHOT_DIR);
#else
    const QString dir = QDir::tempPath();
#endif
    QDir().mkpath(dir);
    SettingsHarness h;
    h.settings.setShortcutConflicts({ShortcutSlot::quickCapture});
    QTemporaryDir history;
    Defaults historyDefaults = Defaults::atPath(history.path() + "/h.ini");
    HistoryStore store(history.path() + "/History", &historyDefaults);
    SettingsContext context = h.context();
    context.history = &store;
    context.showHistory = [] {};
    SettingsWindow window(context, h.frames);
    for (Appearance look : {Appearance::light, Appearance::dark}) {
        Theme::shared().setAppearance(look);
        for (SettingsTab tab : SettingsTabText::all) {
            const QString name = QStringLiteral("settings-%1-%2").arg(SettingsTabText::rawValue(tab),
                                                                      AppearanceText::rawValue(look));
            SCOPED_TRACE(name.toStdString());
            window.present(tab);
            QCoreApplication::processEvents();
            const QImage shot = window.grab().toImage();
            EXPECT_EQ(shot.size() / shot.devicePixelRatio(), QSize(620, 580));
            const QRgb corner = shot.pixel(2, shot.height() - 2);
            bool varied = false;
            for (int y = 0; y < shot.height() && !varied; y += 4)
                for (int x = 0; x < shot.width() && !varied; x += 4)
                    varied = shot.pixel(x, y) != corner;
            EXPECT_TRUE(varied);
            EXPECT_EQ(QColor(corner).lightness() < 128, look == Appearance::dark);
            ASSERT_TRUE(shot.save(dir + u'/' + name + QStringLiteral(".png")));
        }
    }
    Theme::shared().setAppearance(Appearance::system);
}
