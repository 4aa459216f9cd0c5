#include "Kestrow/Shell/AppSettings.hpp"
#include "tests/Kestrow/TempDefaults.hpp"

#include <gtest/gtest.h>

#include <QFile>

#include <clocale>
#include <locale>
#include <memory>

using namespace Kestrow;

namespace {

void writeIni(const QString& path, const QByteArray& body) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[General]\n" + body);
}

struct Settings : TempDefaults {
    std::unique_ptr<AppSettings> make() const {
        auto s = std::make_unique<AppSettings>(TempDefaults::make());
        s->applyAppearance = nullptr;
        return s;
    }
};

}  // namespace

TEST(AppSettings, FreshStoreGivesDefaultsAndWritesNothing) {
    Settings t;
    {
        AppSettings s(t.TempDefaults::make());
        s.applyAppearance = nullptr;
        EXPECT_EQ(s.appearance(), Appearance::system);
        EXPECT_EQ(s.captureShortcut(), (Shortcut{28, 0x1200}));
        EXPECT_EQ(s.quickCaptureShortcut(), (Shortcut{28, 0x1A00}));
        EXPECT_DOUBLE_EQ(s.flagThreshold(), 0.8);
        EXPECT_FALSE(s.onboardingDone());
        EXPECT_EQ(s.appIcon(), AppIconChoice::dark);
        EXPECT_EQ(s.dockIcon(), DockIconMode::whileWindowOpen);
        EXPECT_EQ(s.language(), AppLanguage::system);
        EXPECT_TRUE(s.shortcutConflicts().empty());
        EXPECT_FALSE(s.notchHintLastShown().has_value());
        s.defaults().sync();
    }
    EXPECT_FALSE(QFile::exists(t.path()) && QFile(t.path()).size() > 0);
}

// Every unreadable stored value falls back to its default.
TEST(AppSettings, UnreadableValuesFallBack) {
    const struct {
        const char* line;
    } cases[] = {
        {"dockIcon=sometimes"},
        {"appIcon=neon"},
        {"appearance=Dark"},
        {"flagThreshold=abc"},
        {"flagThreshold=0.8abc"},
        {"flagThreshold=nan"},
        {"onboardingDone=yes please"},
        {"captureShortcut=\"{\\\"keyCode\\\":28}\""},
        {"captureShortcut=\"{\\\"keyCode\\\":-1,\\\"modifiers\\\":4608}\""},
        {"captureShortcut=\"{\\\"keyCode\\\":\\\"28\\\",\\\"modifiers\\\":4608}\""},
        {"captureShortcut=\"{\\\"keyCode\\\":4294967296,\\\"modifiers\\\":4608}\""},
        {"captureShortcut=\"{\\\"keyCode\\\":28.5,\\\"modifiers\\\":4608}\""},
        {"captureShortcut=@ByteArray(not json)"},
        {"languages=fr"},
        {"languages=\"[\\\"fr-FR\\\",\\\"vi\\\"]\""},
        {"languages=\"[]\""},
        {"notchHintLastShown=yesterday"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Settings t;
        writeIni(t.path(), QByteArray(c.line) + "\n");
        auto owned = t.make();
        AppSettings& s = *owned;
        EXPECT_EQ(s.appearance(), Appearance::system);
        EXPECT_EQ(s.captureShortcut(), Shortcut::defaultCapture());
        EXPECT_DOUBLE_EQ(s.flagThreshold(), 0.8);
        EXPECT_FALSE(s.onboardingDone());
        EXPECT_EQ(s.appIcon(), AppIconChoice::dark);
        EXPECT_EQ(s.dockIcon(), DockIconMode::whileWindowOpen);
        EXPECT_EQ(s.language(), AppLanguage::system);
        EXPECT_FALSE(s.notchHintLastShown().has_value());
    }
}

TEST(AppSettings, ReadsWhatItWrote) {
    Settings t;
    {
        auto owned = t.make();
        AppSettings& s = *owned;
        s.setAppearance(Appearance::dark);
        s.setCaptureShortcut({38, Shortcut::command | Shortcut::shift});
        s.setQuickCaptureShortcut({39, Shortcut::option});
        s.setFlagThreshold(0.65);
        s.setOnboardingDone(true);
        s.setAppIcon(AppIconChoice::sparkle);
        s.setDockIcon(DockIconMode::never);
        s.setLanguage(AppLanguage::vietnamese);
        s.setNotchHintLastShown(QDateTime(QDate(2026, 3, 1), QTime(8, 30), Qt::UTC));
    }
    auto owned = t.make();
    AppSettings& s = *owned;
    EXPECT_EQ(s.appearance(), Appearance::dark);
    EXPECT_EQ(s.captureShortcut(), (Shortcut{38, 0x300}));
    EXPECT_EQ(s.quickCaptureShortcut(), (Shortcut{39, 0x800}));
    EXPECT_DOUBLE_EQ(s.flagThreshold(), 0.65);
    EXPECT_TRUE(s.onboardingDone());
    EXPECT_EQ(s.appIcon(), AppIconChoice::sparkle);
    EXPECT_EQ(s.dockIcon(), DockIconMode::never);
    EXPECT_EQ(s.language(), AppLanguage::vietnamese);
    ASSERT_TRUE(s.notchHintLastShown().has_value());
    EXPECT_EQ(*s.notchHintLastShown(), QDateTime(QDate(2026, 3, 1), QTime(8, 30), Qt::UTC));
    s.setNotchHintLastShown(std::nullopt);
    EXPECT_FALSE(s.defaults().contains(QStringLiteral("notchHintLastShown")));
}

// The number is written in the C locale whatever the process locale says.
TEST(AppSettings, ThresholdIgnoresTheUserLocale) {
    const std::locale before = std::locale::global(std::locale::classic());
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    Settings t;
    {
        auto owned = t.make();
        AppSettings& s = *owned;
        s.setFlagThreshold(0.75);
    }
    EXPECT_DOUBLE_EQ(t.make()->flagThreshold(), 0.75);
    std::setlocale(LC_NUMERIC, "C");
    std::locale::global(before);
}

TEST(AppSettings, HooksFireEvenForAnEqualValue) {
    Settings t;
    auto owned = t.make();
    AppSettings& s = *owned;
    int shortcuts = 0, icon = 0, dock = 0, changed = 0;
    s.onShortcutsChanged = [&] { ++shortcuts; };
    s.onIconChanged = [&] { ++icon; };
    s.onDockIconChanged = [&] { ++dock; };
    QObject::connect(&s, &AppSettings::changed, [&] { ++changed; });
    s.setCaptureShortcut(s.captureShortcut());
    s.setQuickCaptureShortcut({29, 0x1200});
    s.setAppIcon(AppIconChoice::dark);
    s.setDockIcon(DockIconMode::always);
    s.setFlagThreshold(0.5);
    EXPECT_EQ(shortcuts, 2);
    EXPECT_EQ(icon, 1);
    EXPECT_EQ(dock, 1);
    EXPECT_EQ(changed, 5);
    EXPECT_TRUE(s.defaults().contains(QStringLiteral("captureShortcut")));
}

TEST(AppSettings, LanguageAtLaunchStaysPut) {
    const struct {
        const char* stored;
        AppLanguage want;
    } cases[] = {
        {"[\"vi-VN\"]", AppLanguage::vietnamese},
        {"[\"en-GB\",\"vi\"]", AppLanguage::english},
        {"[\"fr\"]", AppLanguage::system},
        {"[1]", AppLanguage::system},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Settings t;
        {
            Defaults d = t.TempDefaults::make();
            d.setString(QStringLiteral("languages"), QString::fromUtf8(c.stored));
        }
        auto owned = t.make();
        AppSettings& s = *owned;
        EXPECT_EQ(s.language(), c.want);
        s.setLanguage(AppLanguage::system);
        EXPECT_FALSE(s.defaults().contains(QStringLiteral("languages")));
        EXPECT_EQ(s.languageAtLaunch(), c.want);
    }
}

TEST(AppSettings, AppearanceIsApplied) {
    Settings t;
    auto owned = t.make();
    AppSettings& s = *owned;
    std::optional<Appearance> applied;
    s.applyAppearance = [&](Appearance a) { applied = a; };
    s.setAppearance(Appearance::light);
    EXPECT_EQ(applied, Appearance::light);
    EXPECT_EQ(s.defaults().string(QStringLiteral("appearance")), QStringLiteral("light"));
}
