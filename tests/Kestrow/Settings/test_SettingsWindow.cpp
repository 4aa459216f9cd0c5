#include "Kestrow/Settings/SettingsGroup.hpp"
#include "Kestrow/Settings/SettingsRow.hpp"
#include "Kestrow/Settings/SettingsTabButton.hpp"
#include "Kestrow/Settings/SettingsView.hpp"
#include "Kestrow/Settings/SettingsWindow.hpp"
#include "Kestrow/Shell/AppTranslator.hpp"
#include "Kestrow/Shell/WindowFrames.hpp"
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
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        QRect saved;
        bool used;
    } cases[] = {
        {"fits", QRect(screen.x() + 10, screen.y() + 10, 640, 590), true},
        {"smaller than the minimum", QRect(screen.x() + 10, screen.y() + 10, 600, 590), false},
        {"off every screen", QRect(screen.right() + 100, screen.y(), 640, 590), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsHarness h;
        {
            // The frame a closed window left behind.
            SettingsWindow first(h.context(), h.frames);
            first.present();
            first.setGeometry(c.saved);
            first.close();
        }
        h.frames.setString(WindowFrames::key("SettingsWindow"), WindowFrames::format(c.saved));
        SettingsWindow second(h.context(), h.frames);
        second.present();
        EXPECT_EQ(second.geometry() == c.saved, c.used);
        EXPECT_EQ(second.size(), c.used ? c.saved.size() : QSize(620, 580));
    }
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
    const auto counted = [](int n) {
        return QCoreApplication::translate("Kestrow::ResultView", "%n cells to check", nullptr, n);
    };
    EXPECT_EQ(counted(1), QStringLiteral("1 ô cần kiểm tra"));
    QCoreApplication::removeTranslator(&translator);
    // English counts too: one cell, not "1 cells".
    ASSERT_TRUE(AppTranslator::install(translator, AppLanguage::english));
    EXPECT_EQ(counted(1), QStringLiteral("1 cell to check"));
    EXPECT_EQ(counted(3), QStringLiteral("3 cells to check"));
    EXPECT_EQ(QCoreApplication::translate("Stitching", "Added %n rows", nullptr, 1), QStringLiteral("Added 1 row"));
    QCoreApplication::removeTranslator(&translator);
}
