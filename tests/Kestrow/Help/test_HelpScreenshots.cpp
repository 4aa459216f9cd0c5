#include "Kestrow/Help/AboutView.hpp"
#include "Kestrow/Help/HelpView.hpp"
#include "Kestrow/Help/LicensesView.hpp"
#include "Kestrow/Help/OnboardingView.hpp"
#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/TempDefaults.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

using namespace Kestrow;

// Pictures of the welcome, help and about windows in both schemes, for a person to look at.
namespace {

QString shotDir()
{
    const QString dir = QStringLiteral(VANTREL_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir;
}

void shoot(QWidget& w, QSize size, const QString& name)
{
    SCOPED_TRACE(name.toStdString());
    w.resize(size);
    w.show();
    const QImage image = w.grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size() / image.devicePixelRatio(), size);
    // Something is drawn: not one flat colour.
    const QRgb corner = image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 4)
        for (int x = 0; x < image.width() && !varied; x += 4)
            varied = image.pixel(x, y) != corner;
    EXPECT_TRUE(varied);
    EXPECT_TRUE(image.save(shotDir() + u'/' + name + QStringLiteral(".png")));
}

}  // namespace

TEST(HelpScreenshots, WelcomeHelpAboutAndLicencesLightAndDark)
{
    AppResources::registerFonts();
    TempDefaults tmp;
    AppSettings settings{tmp.make()};
    for (const Appearance scheme : {Appearance::light, Appearance::dark}) {
        Theme::shared().setAppearance(scheme);
        const QString suffix = scheme == Appearance::dark ? QStringLiteral("-dark") : QStringLiteral("-light");

        OnboardingView welcome(false, settings, {}, true, false);
        for (const char* step : {"welcome", "shortcuts", "sample"}) {
            shoot(welcome, {520, 460}, QStringLiteral("welcome-%1%2").arg(QLatin1String(step), suffix));
            welcome.go(1);
        }
        OnboardingView wayland(false, settings, {}, false, true);
        shoot(wayland, {520, 460}, QStringLiteral("welcome-permission") + suffix);

        HelpView help(HelpTopic::start, settings, {});
        for (const HelpTopic topic : HelpTopics::all) {
            help.setTopic(topic);
            shoot(help, {720, 500}, QStringLiteral("help-") + HelpTopics::rawValue(topic) + suffix);
        }
        AboutView about(AppResources::appIcon(AppIconChoice::dark), {});
        shoot(about, {380, 330}, QStringLiteral("about") + suffix);
        LicensesView licences;
        shoot(licences, {600, 520}, QStringLiteral("licenses") + suffix);
        licences.showText(QStringLiteral("Leptonica.txt"));
        shoot(licences, {600, 520}, QStringLiteral("licenses-text") + suffix);
    }
    Theme::shared().setAppearance(Appearance::system);
}
