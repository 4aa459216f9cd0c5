#include "Kestrow/Settings/SettingsGroup.hpp"
#include "Kestrow/Settings/SettingsRow.hpp"
#include "Kestrow/Settings/SettingsTabButton.hpp"
#include "Kestrow/Settings/SettingsView.hpp"
#include "Kestrow/Settings/SettingsWindow.hpp"
#include "Kestrow/Shell/AppTranslator.hpp"
#include "tests/Kestrow/Settings/SettingsHarness.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QTranslator>
#include <QVBoxLayout>

using namespace Kestrow;

TEST(SettingsWindow, OpensOnGeneralAndSwitchesTabsInPlace)
{
    SettingsHarness h;
    SettingsWindow window(h.context(), h.frames);
    EXPECT_EQ(window.windowTitle(), "Settings");
    EXPECT_EQ(window.minimumSize(), QSize(620, 580));
    window.present();
    SettingsView& view = window.view();
    EXPECT_EQ(view.tab(), SettingsTab::general);
    QStringList titles;
    for (SettingsTab tab : SettingsTabText::all)
        titles << view.button(tab)->text();
    EXPECT_EQ(titles, (QStringList{"General", "Shortcuts", "Recognition", "History"}));

    // Asking for a tab while open switches at once; no tab keeps the current one.
    window.present(SettingsTab::history);
    EXPECT_EQ(view.tab(), SettingsTab::history);
    EXPECT_TRUE(view.page(SettingsTab::history)->isVisible());
    EXPECT_FALSE(view.page(SettingsTab::general)->isVisible());
    EXPECT_TRUE(view.button(SettingsTab::history)->isChecked());
    window.close();
    window.present();
    EXPECT_EQ(view.tab(), SettingsTab::history);
    view.button(SettingsTab::shortcuts)->click();
    EXPECT_EQ(view.tab(), SettingsTab::shortcuts);
    EXPECT_FALSE(view.button(SettingsTab::history)->isChecked());

    for (SettingsTab tab : SettingsTabText::all)
        EXPECT_EQ(SettingsTabText::fromRawValue(SettingsTabText::rawValue(tab)), tab);
    EXPECT_EQ(SettingsTabText::fromRawValue("General"), std::nullopt);
}

TEST(SettingsWindow, PageColumnIsAtMost820WideAndCentred)
{
    SettingsHarness h;
    SettingsWindow window(h.context(), h.frames);
    window.present();
    const struct { int width; int column; } cases[] = {{620, 620}, {1200, 820}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        window.resize(c.width, 600);
        QCoreApplication::processEvents();
        auto* column = window.findChild<QWidget*>("pageColumn");
        const int viewport = window.view().scrollArea()->viewport()->width();
        EXPECT_EQ(column->width(), std::min(c.column, viewport));
        EXPECT_NEAR(column->x() + column->width() / 2, viewport / 2, 1);
    }
}

TEST(SettingsWindow, SavedFrameIsUsedOnlyWhenItFitsAScreen)
{
    const QList<QRect> screens{{0, 0, 1280, 800}, {1280, 0, 1920, 1080}};
    const struct {
        const char* name;
        std::optional<QRect> saved;
        bool used;
    } cases[] = {
        {"none", std::nullopt, false},
        {"fits the first", QRect(100, 100, 700, 600), true},
        {"fits the second", QRect(1500, 50, 800, 900), true},
        {"smaller than the minimum", QRect(100, 100, 600, 600), false},
        {"cut by the screen edge", QRect(900, 100, 700, 600), false},
        {"across both screens", QRect(1000, 100, 700, 600), false},
        {"off every screen", QRect(5000, 5000, 700, 600), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SettingsWindow::restoredFrame(c.saved, screens).has_value(), c.used);
    }
    EXPECT_EQ(SettingsWindow::parseFrame(SettingsWindow::frameText({-10, 20, 700, 600})), QRect(-10, 20, 700, 600));
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "a,2,3,4", "1, 2,3,4", "1,2,0,4", "1,2,3,-4", "1.5,2,3,4"})
        EXPECT_EQ(SettingsWindow::parseFrame(QString::fromLatin1(bad)), std::nullopt) << bad;

    // A frame saved by a closed window comes back in the next run when it fits.
    SettingsHarness h;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame(screen.x() + 10, screen.y() + 10, 640, 590);
    {
        SettingsWindow first(h.context(), h.frames);
        first.present();
        first.setGeometry(frame);
        first.close();
    }
    SettingsWindow second(h.context(), h.frames);
    second.present();
    EXPECT_EQ(second.geometry(), frame);
}

TEST(SettingsGroup, HairlinesOnlyBetweenVisibleRows)
{
    const struct { int rows; int hidden; int dividers; } cases[] = {
        {0, -1, 0}, {1, -1, 0}, {3, -1, 2}, {3, 1, 1}, {3, 0, 1}, {3, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, hidden " << c.hidden);
        SettingsGroup group({}, {});
        for (int i = 0; i < c.rows; ++i)
            group.addRow(new SettingsRow("gear", QString::number(i), {}, nullptr));
        if (c.hidden >= 0)
            group.rows()[c.hidden]->hide();
        EXPECT_EQ(group.visibleDividers(), c.dividers);
        EXPECT_EQ(group.findChildren<QLabel*>("groupTitle").size(), 0);
    }
}

TEST(SettingsRow, LongDetailWrapsAndMakesTheRowTaller)
{
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* shortRow = new SettingsRow("gear", "Title", "Short.", new QLabel("control"));
    auto* longRow = new SettingsRow("gear", "Title", QString("A detail that goes on and on. ").repeated(12),
                                    new QLabel("control"));
    layout->addWidget(shortRow);
    layout->addWidget(longRow);
    host.setFixedWidth(420);
    host.show();
    QCoreApplication::processEvents();
    EXPECT_GT(longRow->height(), shortRow->height() + 20);
    // The control stays centred on the taller row.
    const QWidget* control = longRow->control();
    EXPECT_NEAR(control->geometry().center().y(), longRow->height() / 2, 2);
}

TEST(AppTranslator, ChoosesTheLanguageAndLoadsTheVietnameseCatalogue)
{
    const struct {
        AppLanguage choice;
        QStringList desktop;
        const char* language;
    } cases[] = {
        {AppLanguage::vietnamese, {"en-US"}, "vi"},
        {AppLanguage::english, {"vi-VN"}, "en"},
        {AppLanguage::system, {"vi-VN", "en-US"}, "vi"},
        {AppLanguage::system, {"de-DE", "vi"}, "vi"},
        {AppLanguage::system, {"fr_FR", "en_GB"}, "en"},
        {AppLanguage::system, {"de-DE"}, "en"},
        {AppLanguage::system, {}, "en"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AppTranslator::languageFor(c.choice, c.desktop), c.language) << c.desktop.join(',').toStdString();

    QTranslator translator;
    ASSERT_TRUE(AppTranslator::install(translator, AppLanguage::vietnamese));
    SettingsHarness h;
    {
        SettingsWindow window(h.context(), h.frames);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Cài đặt"));
        EXPECT_EQ(window.view().button(SettingsTab::shortcuts)->text(), QStringLiteral("Phím tắt"));
    }
    QCoreApplication::removeTranslator(&translator);
    EXPECT_FALSE(AppTranslator::install(translator, AppLanguage::english));
}
