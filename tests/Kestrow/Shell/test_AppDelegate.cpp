#include "Kestrow/Capture/CaptureConsent.hpp"
#include "Kestrow/Capture/RegionSelector.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Platform/FakeHotkeys.hpp"
#include "Kestrow/Result/ResultView.hpp"
#include "Kestrow/Settings/SettingsView.hpp"
#include "Kestrow/Settings/SettingsWindow.hpp"
#include "Kestrow/Shell/AppDelegate.hpp"
#include "Kestrow/Shell/Log.hpp"
#include "Kestrow/Shell/NoTrayHint.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "KestrowSupport/FakeAlertPresenter.hpp"
#include "KestrowSupport/WaitFor.hpp"

#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTemporaryDir>

using namespace Kestrow;
using KestrowTest::waitFor;

namespace {

struct NoEngine final : VozudOzev::TableEngine {
    VozudOzev::TableExtraction::Extraction extract(const VozudOzev::Image&, VozudOzev::Dpi,
                                                   const std::string&) const override
    {
        return {};
    }
};

struct Shell {
    QTemporaryDir dir;
    AppSettings settings{Defaults::atPath(dir.filePath("settings.conf"))};
    FakeHotkeys hotkeys;
    FakeRegionSelector selector;
    FakeClipboardWriter clipboard;
    KestrowTest::FakeAlertPresenter alerts;
    EngineService engine{[] { return EngineService::Built{std::make_shared<NoEngine>(), "none"}; }};
    HistoryStore history{dir.filePath("History"), &settings.defaults()};
    AppDelegate app{{settings, hotkeys, selector, clipboard, alerts, engine, &history}};
};

// Where a test may leave its pictures for a person to look at.
void keep(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("VANTREL_SCREENSHOTS");
    if (!dir.isEmpty())
        image.save(dir + "/" + name + ".png");
}

}  // namespace

TEST(AppDelegate, LaunchRegistersBothShortcutsAndLogsOnce)
{
    Shell s;
    Log::Capture log;
    s.app.launch();
    EXPECT_TRUE(log.contains("Vantrel: launch — screen recording permission granted, onboarding pending"));
    ASSERT_EQ(s.hotkeys.registered.size(), 2u);
    EXPECT_TRUE(s.settings.shortcutConflicts().empty());
    EXPECT_EQ(s.app.captureItem()->text(), QStringLiteral("Capture Table\tSuper+Shift+T"));
    EXPECT_EQ(s.app.quickItem()->text(), QStringLiteral("Quick Capture\tSuper+Alt+Shift+T"));

    // The hot key opens the selection with the capture hint.
    ASSERT_TRUE(s.hotkeys.press(s.settings.captureShortcut()));
    ASSERT_TRUE(waitFor([&] { return s.selector.begins == 1; }));
    EXPECT_EQ(s.selector.lastHint, QStringLiteral("Drag over a table  ·  Esc to cancel"));
    s.selector.finish(std::nullopt);
}

TEST(AppDelegate, ConflictsAreRecordedAndClearedOnTheNextRegistration)
{
    Shell s;
    const Shortcut capture = s.settings.captureShortcut();
    s.hotkeys.taken.insert({capture.keyCode, capture.modifiers});
    Log::Capture log;
    s.app.registerHotkeys();
    EXPECT_EQ(s.settings.shortcutConflicts(), (std::set<ShortcutSlot>{ShortcutSlot::capture}));
    EXPECT_TRUE(log.contains("Vantrel: a global shortcut is already in use by another app"));

    s.hotkeys.taken.clear();
    s.settings.onShortcutsChanged = [&] { s.app.registerHotkeys(); };
    s.settings.setQuickCaptureShortcut(capture);
    EXPECT_EQ(s.settings.shortcutConflicts(), (std::set<ShortcutSlot>{ShortcutSlot::quickCapture}));
    s.settings.setQuickCaptureShortcut(Shortcut::defaultQuickCapture());
    EXPECT_TRUE(s.settings.shortcutConflicts().empty());
}

TEST(AppDelegate, TheClipboardItemFollowsTheClipboard)
{
    Shell s;
    s.app.launch();
    auto text = std::make_unique<QMimeData>();
    text->setText("words");
    s.clipboard.setMimeData(std::move(text));
    s.app.refreshMenu();
    EXPECT_FALSE(s.app.clipboardItem()->isEnabled());
    auto image = std::make_unique<QMimeData>();
    QImage pixels(10, 10, QImage::Format_RGB32);
    pixels.fill(Qt::white);
    image->setImageData(pixels);
    s.clipboard.setMimeData(std::move(image));
    s.app.refreshMenu();
    EXPECT_TRUE(s.app.clipboardItem()->isEnabled());

    const QImage menu = s.app.statusMenu().grab().toImage();
    EXPECT_GT(menu.width(), 150);
    EXPECT_GT(menu.height(), 80);
    keep(menu, "tray-menu");
}

TEST(AppDelegate, WithoutATrayTheHintShowsAtMostOncePerDay)
{
    Shell s;
    s.app.launch();
    Log::Capture log;
    s.app.checkStatusItemVisible();
    EXPECT_TRUE(log.contains("Vantrel: status item hidden at"));
    ASSERT_NE(s.app.hint(), nullptr);
    EXPECT_TRUE(s.app.hint()->isVisible());
    EXPECT_TRUE(s.settings.notchHintLastShown());
    for (Appearance appearance : {Appearance::light, Appearance::dark}) {
        Theme::shared().setAppearance(appearance);
        s.app.hint()->update();
        const QImage card = s.app.hint()->grab().toImage();
        EXPECT_EQ(card.width(), 340);
        keep(card, appearance == Appearance::dark ? "no-tray-hint-dark" : "no-tray-hint-light");
    }
    Theme::shared().setAppearance(Appearance::system);

    NoTrayHint* first = s.app.hint();
    s.app.checkStatusItemVisible();
    EXPECT_EQ(s.app.hint(), first);  // within a day: not again

    s.settings.setNotchHintLastShown(QDateTime::currentDateTimeUtc().addSecs(-86400));
    s.settings.defaults().setBoolean("notchHintDisabled", true);
    first->close();
    waitFor([] { return false; }, 50);
    s.app.checkStatusItemVisible();
    EXPECT_EQ(s.app.hint(), nullptr);  // turned off for good
}

TEST(AppDelegate, ResultWindowsAreTrackedAndCopyTheirTable)
{
    Shell s;
    CaptureResult result;
    VozudOzev::Table table;
    table.rows = 2;
    table.cols = 2;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = std::to_string(r * 2 + c);
            table.cells.push_back(cell);
        }
    result.extraction.output.tables = {table};
    result.extraction.output.selectedTable = 0;
    result.sourceName = "Invoice.png";
    QWidget* window = s.app.showResult(result, QStringLiteral("A notice"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Invoice · 2 × 2"));
    EXPECT_EQ(s.app.windows().size(), 1);
    auto* view = qobject_cast<ResultView*>(window);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->doc()->cell(KestrowEditor::CellPos(1, 1))->text, "3");
    view->copy();
    EXPECT_EQ(s.clipboard.data()->text(), QStringLiteral("0\t1\n2\t3"));
    keep(window->grab().toImage(), "result-window");
    window->close();
    waitFor([&] { return s.app.windows().isEmpty(); }, 2000);
    EXPECT_TRUE(s.app.windows().isEmpty());
}

TEST(AppDelegate, ACaptureEntersTheHistoryAndComesBackFromTheRecentList)
{
    Shell s;
    s.app.launch();
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    int finished = 0;
    QObject::connect(&s.app.road(), &CaptureRoad::finished, [&] { ++finished; });
    s.app.road().run(image, 1.0, false, QStringLiteral("Calc"));
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    ASSERT_EQ(s.history.items().size(), 1u);
    EXPECT_EQ(s.app.windows().size(), 1);

    s.app.refreshMenu();
    QAction* recent = nullptr;
    for (QAction* action : s.app.statusMenu().actions())
        if (action->text().trimmed() == QStringLiteral("Calc"))
            recent = action;
    ASSERT_NE(recent, nullptr);
    recent->trigger();
    EXPECT_EQ(s.app.windows().size(), 2);
}

TEST(AppDelegate, SettingsOpenOnceFromTheMenuAndOnATab)
{
    Shell s;
    s.app.launch();
    QAction* item = nullptr;
    for (QAction* action : s.app.statusMenu().actions())
        if (action->text() == QStringLiteral("Settings…"))
            item = action;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_EQ(s.app.settingsWindow(), nullptr);
    item->trigger();
    SettingsWindow* window = s.app.settingsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->view().tab(), SettingsTab::general);
    s.app.showSettings(SettingsTab::history);
    EXPECT_EQ(s.app.settingsWindow(), window);
    EXPECT_EQ(window->view().tab(), SettingsTab::history);
    window->close();
    s.app.showSettings();
    EXPECT_EQ(s.app.settingsWindow(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->view().tab(), SettingsTab::history);
}

TEST(AppDelegate, SettingsOpenAtTheFirstStartPastTheGuideAndOnReopen)
{
    {
        Shell s;
        s.settings.setOnboardingDone(true);
        s.app.launch();
        ASSERT_NE(s.app.settingsWindow(), nullptr);
        EXPECT_TRUE(s.app.settingsWindow()->isVisible());
        EXPECT_EQ(s.settings.defaults().string("gettingStartedShownPath"), CaptureConsent::appPath());
    }
    Shell s;
    s.settings.setOnboardingDone(true);
    s.settings.defaults().setString("gettingStartedShownPath", CaptureConsent::appPath());
    s.app.launch();
    EXPECT_EQ(s.app.settingsWindow(), nullptr);
    s.app.reopen();
    ASSERT_NE(s.app.settingsWindow(), nullptr);
    EXPECT_TRUE(s.app.settingsWindow()->isVisible());
    EXPECT_EQ(s.app.settingsWindow()->view().tab(), SettingsTab::general);
}
