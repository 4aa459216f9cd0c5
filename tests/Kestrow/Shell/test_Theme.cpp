#include "Kestrow/Shell/Appearance.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/Shell/Palette.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <gtest/gtest.h>

#include <QGuiApplication>

using namespace Kestrow;

TEST(Theme, PaletteSpotChecks) {
    EXPECT_EQ(Palette::light().bar, QColor(250, 250, 250));
    EXPECT_EQ(Palette::dark().bg, QColor(7, 8, 10));
    EXPECT_EQ(Palette::dark().primaryFill, QColor(Qt::white));
    EXPECT_EQ(Palette::light().progress[1], QColor(47, 107, 255));
    EXPECT_NEAR(Palette::dark().flagFill.alphaF(), 0.18, 1e-4);
    EXPECT_EQ(Palette::dark().flagFill.rgb(), QColor(255, 197, 51).rgb());
    EXPECT_NEAR(Palette::light().bar.redF(), 250 / 255.0, 1e-6);
}

TEST(Theme, AppearancePicksThePalette) {
    Theme& t = Theme::shared();
    const Appearance before = t.appearance();
    int changes = 0;
    auto c = QObject::connect(&t, &Theme::changed, [&] { ++changes; });
    t.setAppearance(Appearance::dark);
    EXPECT_EQ(&t.palette(), &Palette::dark());
    t.setAppearance(Appearance::light);
    EXPECT_EQ(&t.palette(), &Palette::light());
    EXPECT_EQ(changes, 2);
    QObject::disconnect(c);
    t.setAppearance(before);
}

TEST(Theme, AppearanceRawValuesAreLowerCase) {
    EXPECT_EQ(AppearanceText::fromRawValue("dark"), Appearance::dark);
    EXPECT_FALSE(AppearanceText::fromRawValue("Dark").has_value());
    EXPECT_EQ(AppearanceText::label(Appearance::system), QStringLiteral("Match System"));
}

TEST(Theme, SpokenKeycaps) {
    const struct {
        QStringList keys;
        const char* want;
    } cases[] = {
        {{}, ""},
        {{"F5"}, "F5"},
        {{QStringLiteral("\u2303"), QStringLiteral("\u21E7"), "1"}, "Ctrl Shift 1"},
        {{QStringLiteral("\u2318"), QStringLiteral("\u2325"), "K"}, "Super Alt K"},
        {{"Super", "Shift", "T"}, "Super Shift T"},
        {{QStringLiteral("\u238B"), QStringLiteral("\u232B"), QStringLiteral("\u21A9")}, "Escape Delete Return"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(Keycaps::spoken(c.keys), QString::fromUtf8(c.want));
    }
    Keycaps caps({"Super", "Shift", "T"});
    EXPECT_EQ(caps.accessibleName(), QStringLiteral("Super Shift T"));
}

// The grid uses Inter regular or bold only; medium is regular.
TEST(Theme, GridFontWeights) {
    EXPECT_EQ(Typography::grid(11, QFont::Medium).weight(), QFont::Normal);
    EXPECT_EQ(Typography::grid(11, QFont::DemiBold).weight(), Typography::interAvailable() ? QFont::Bold : QFont::DemiBold);
    EXPECT_EQ(Typography::ui(13, QFont::Medium).pixelSize(), 13);
    EXPECT_EQ(Typography::keycap().weight(), QFont::Medium);
}

// Standard widgets follow a forced appearance and go back to the desktop's colours for `system`.
TEST(Theme, StandardWidgetsFollowTheAppearance) {
    Theme& t = Theme::shared();
    const Appearance before = t.appearance();
    const QColor desktopWindow = QGuiApplication::palette().color(QPalette::Window);
    t.setAppearance(Appearance::dark);
    EXPECT_EQ(QGuiApplication::palette().color(QPalette::Window), Palette::dark().window);
    t.setAppearance(Appearance::light);
    EXPECT_EQ(QGuiApplication::palette().color(QPalette::Text), Palette::light().ink);
    t.setAppearance(Appearance::system);
    EXPECT_EQ(QGuiApplication::palette().color(QPalette::Window), desktopWindow);
    t.setAppearance(before);
}
