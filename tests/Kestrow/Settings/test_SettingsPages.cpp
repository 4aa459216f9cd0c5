#include "Kestrow/History/HistorySettingsSection.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Settings/GeneralPage.hpp"
#include "Kestrow/Settings/LaunchAtLoginToggle.hpp"
#include "Kestrow/Settings/RecognitionPage.hpp"
#include "Kestrow/Settings/SettingsRow.hpp"
#include "Kestrow/Settings/SettingsView.hpp"
#include "Kestrow/Settings/UpdatesSettingsSection.hpp"
#include "Kestrow/Settings/SettingsSwitch.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "tests/Kestrow/Settings/SettingsHarness.hpp"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>

using namespace Kestrow;

TEST(GeneralPage, LanguageChoiceAsksForARestartUntilSetBack)
{
    const struct {
        AppLanguage atLaunch;
        AppLanguage chosen;
        bool pending;
    } cases[] = {
        {AppLanguage::system, AppLanguage::vietnamese, true},
        {AppLanguage::system, AppLanguage::system, false},
        {AppLanguage::english, AppLanguage::system, true},
        {AppLanguage::vietnamese, AppLanguage::vietnamese, false},
        {AppLanguage::vietnamese, AppLanguage::english, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.atLaunch) << " -> " << int(c.chosen));
        TempDefaults temp;
        {
            Defaults d = temp.make();
            AppLanguageText::apply(c.atLaunch, d);
        }
        SettingsHarness h;
        AppSettings settings(temp.make());
        SettingsContext context = h.context();
        SettingsContext mine{settings, context.loginItem, context.updates};
        mine.relaunch = context.relaunch;
        GeneralPage page(mine);
        QComboBox* picker = page.languagePicker();
        EXPECT_EQ(picker->itemText(1), QStringLiteral("Tiếng Việt"));
        EXPECT_EQ(picker->itemText(2), QStringLiteral("English"));
        picker->setCurrentIndex(picker->findData(int(c.chosen)));
        EXPECT_EQ(settings.language(), c.chosen);
        EXPECT_EQ(AppLanguageText::current(temp.make()), c.chosen);
        EXPECT_EQ(page.restartButton()->isHidden(), !c.pending);
        EXPECT_EQ(page.languageRow()->detail(), c.pending ? QStringLiteral("Restart Vantrel to switch the language.")
                                                          : QStringLiteral("English or Tiếng Việt."));
        if (c.pending) {
            page.restartButton()->click();
            EXPECT_EQ(h.relaunches, 1);
        }
    }
}

TEST(GeneralPage, PickersWriteTheSettingsAndLinuxRowsSayWhatIsTrue)
{
    SettingsHarness h;
    GeneralPage page(h.context());
    page.themePicker()->setCurrentIndex(page.themePicker()->findData(int(Appearance::dark)));
    EXPECT_EQ(h.settings.appearance(), Appearance::dark);
    page.iconPicker()->setCurrentIndex(page.iconPicker()->findData(int(AppIconChoice::sparkle)));
    EXPECT_EQ(h.settings.appIcon(), AppIconChoice::sparkle);
    // A shortcut changed elsewhere shows here at once.
    h.settings.setCaptureShortcut({29, Shortcut::command | Shortcut::option});
    EXPECT_EQ(page.captureKeys()->keys(), (Shortcut{29, Shortcut::command | Shortcut::option}.keycaps()));
    // No row is about a Dock or a menu bar; the tray row tells whether a tray exists.
    for (SettingsRow* row : page.findChildren<SettingsRow*>()) {
        EXPECT_FALSE(row->title().contains("Dock")) << row->title().toStdString();
        EXPECT_FALSE(row->detail().contains("menu bar")) << row->detail().toStdString();
    }
    EXPECT_NE(GeneralPage::trayDetail(true), GeneralPage::trayDetail(false));
    EXPECT_TRUE(GeneralPage::trayDetail(false).contains("no system tray"));
    EXPECT_EQ(page.screenRow()->detail(), QStringLiteral("Allowed. Vantrel can read the area you select."));
}

TEST(LaunchAtLoginToggle, AlwaysShowsTheRealStateAndTheReasonForAFailure)
{
    FakeLoginItem fake;
    LaunchAtLoginToggle toggle(fake);
    EXPECT_FALSE(toggle.isChecked());
    fake.failure = QStringLiteral("No autostart folder");
    toggle.click();
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_EQ(toggle.toolTip(), QStringLiteral("No autostart folder"));
    fake.failure.reset();
    toggle.click();
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_TRUE(toggle.toolTip().isEmpty());
    fake.failure = QStringLiteral("read-only");
    toggle.click();
    EXPECT_TRUE(toggle.isChecked()) << "still registered";

    // The real entry: a config folder that cannot hold one leaves the switch off, with the reason.
    QTemporaryDir dir;
    const QString blocked = dir.path() + QStringLiteral("/config");
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    XdgLoginItem item(blocked, dir.path() + QStringLiteral("/my $apps/\"v\"/vantrel"));
    LaunchAtLoginToggle real(item);
    real.click();
    EXPECT_FALSE(real.isChecked());
    EXPECT_FALSE(real.toolTip().isEmpty());
    XdgLoginItem good(dir.path() + QStringLiteral("/ok"), dir.path() + QStringLiteral("/my $apps/\"v\"/vantrel"));
    LaunchAtLoginToggle works(good);
    works.click();
    EXPECT_TRUE(works.isChecked());
    EXPECT_TRUE(good.isEnabled());
    works.click();
    EXPECT_FALSE(works.isChecked());
    EXPECT_FALSE(QFile::exists(good.entryPath()));
}

TEST(RecognitionPage, SliderShowsTwoDecimalsAndOpeningNeverWrites)
{
    const struct {
        const char* name;
        std::optional<double> stored;
        const char* label;
        int slider;
    } cases[] = {
        {"default", std::nullopt, "0.80", 800},
        {"lowest", 0.5, "0.50", 500},
        {"highest", 0.99, "0.99", 990},
        {"below the range", 0.3, "0.30", 500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDefaults temp;
        if (c.stored) {
            Defaults d = temp.make();
            d.setNumber("flagThreshold", *c.stored);
        }
        AppSettings settings(temp.make());
        RecognitionPage page(settings, {});
        page.show();
        EXPECT_EQ(page.valueLabel()->text(), c.label);
        EXPECT_EQ(page.slider()->value(), c.slider);
        EXPECT_EQ(temp.make().number("flagThreshold"), c.stored);
    }
    TempDefaults temp;
    AppSettings settings(temp.make());
    RecognitionPage page(settings, {});
    page.slider()->setValue(0);
    EXPECT_DOUBLE_EQ(settings.flagThreshold(), 0.5);
    page.slider()->setValue(2000);
    EXPECT_DOUBLE_EQ(settings.flagThreshold(), 0.99);
    page.slider()->setValue(723);
    EXPECT_DOUBLE_EQ(settings.flagThreshold(), 0.723);
    EXPECT_EQ(page.valueLabel()->text(), "0.72");
    EXPECT_TRUE(page.networkRow()->detail().contains("never goes online"));
    EXPECT_TRUE(RecognitionPage(settings, "updates.vantrel.org").networkRow()->detail().contains("updates.vantrel.org"));
}

TEST(UpdatesSettingsSection, UnconfiguredBuildSaysSoAndDisablesEverything)
{
    SettingsHarness h;
    UpdatesSettingsSection section(h.updates);
    EXPECT_EQ(section.row()->detail(), QStringLiteral("Updates aren't set up in this build."));
    EXPECT_FALSE(section.checkNow()->isEnabled());
    EXPECT_FALSE(section.automatic()->isEnabled());
    EXPECT_FALSE(section.automatic()->isChecked());
}

TEST(SettingsView, HistoryTabHoldsTheHistorySettingsWithShowHistory)
{
    SettingsHarness h;
    QTemporaryDir dir;
    Defaults store_defaults = Defaults::atPath(dir.path() + "/h.ini");
    HistoryStore store(dir.path() + "/History", &store_defaults);
    int shown = 0;
    SettingsContext context = h.context();
    context.history = &store;
    context.showHistory = [&] { ++shown; };
    SettingsView view(context);
    auto* section = qobject_cast<HistorySettingsSection*>(view.page(SettingsTab::history));
    ASSERT_NE(section, nullptr);
    auto* button = section->findChild<QPushButton*>("showHistory");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(shown, 1);
    EXPECT_NE(section->findChild<SettingsSwitch*>("enabled"), nullptr);
}
