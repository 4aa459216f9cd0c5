#include "Kestrow/Capture/CaptureConsent.hpp"
#include "Kestrow/Capture/RegionSelector.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Editor/GridTableView.hpp"
#include "Kestrow/Platform/FakeHotkeys.hpp"
#include "Kestrow/Platform/FakeWindowStacking.hpp"
#include "Kestrow/Result/ResultView.hpp"
#include "Kestrow/Settings/SettingsView.hpp"
#include "Kestrow/Settings/SettingsWindow.hpp"
#include "Kestrow/Shell/AppDelegate.hpp"
#include "Kestrow/Shell/Log.hpp"
#include "Kestrow/Shell/NoTrayHint.hpp"
#include "Kestrow/Shell/HUDPill.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/WindowFrames.hpp"
#include "Kestrow/Shell/Toast.hpp"
#include "KestrowSupport/FakeAlertPresenter.hpp"
#include "KestrowSupport/NoEngine.hpp"
#include "KestrowSupport/WaitFor.hpp"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTemporaryDir>

using namespace Kestrow;
using KestrowTest::waitFor;

namespace {

struct Shell {
    // settingsPath: a settings file kept from an earlier run; none: a new one.
    explicit Shell(const QString& settingsPath = {})
        : settingsPath(settingsPath.isEmpty() ? dir.filePath("settings.conf") : settingsPath)
    {
    }
    QTemporaryDir dir;
    QString settingsPath;
    AppSettings settings{Defaults::atPath(settingsPath)};
    FakeHotkeys hotkeys;
    FakeRegionSelector selector;
    FakeClipboardWriter clipboard;
    KestrowTest::FakeAlertPresenter alerts;
    EngineService engine{[] { return EngineService::Built{std::make_shared<KestrowTest::NoEngine>(), "none"}; }};
    HistoryStore history{dir.filePath("History"), &settings.defaults()};
    FakeWindowStacking stacking;
    AppDelegate app{{settings, hotkeys, selector, clipboard, alerts, engine, &history, &stacking}};
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

namespace {

CaptureResult twoByTwo()
{
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
    return result;
}

}  // namespace

TEST(AppDelegate, ResultWindowsAreTrackedAndCopyTheirTable)
{
    Shell s;
    QWidget* window = s.app.showResult(twoByTwo(), QStringLiteral("A notice"));
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

// The frame a result window is left with comes back in the next run, unless it no longer
// fits on a screen or was stored damaged.
TEST(AppDelegate, ResultWindowFrameIsKeptAcrossRuns)
{
    QTemporaryDir kept;
    const QString path = kept.filePath("settings.conf");
    CaptureResult result;
    result.extraction.output.tables = {VozudOzev::Table{}};
    const QRect moved(40, 50, 700, 450);
    {
        Shell run(path);
        QWidget* window = run.app.showResult(result, std::nullopt);
        window->setGeometry(moved);
        window->close();
    }
    struct Case {
        const char* name;
        std::optional<QString> stored;  // none: as the last run left it
        bool restored;
    };
    const Case cases[] = {
        {"as left", std::nullopt, true},
        {"off every screen", "5000 5000 700 450", false},
        {"cut by the screen's edge", "300 300 700 450", false},
        {"below the minimum", "10 10 300 200", false},
        {"damaged", "40 50 seven 450", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shell run(path);
        if (c.stored)
            run.settings.defaults().setString("frames/ResultWindow", *c.stored);
        QWidget* window = run.app.showResult(result, std::nullopt);
        if (c.restored) {
            EXPECT_EQ(window->geometry(), moved);
        } else {
            EXPECT_EQ(window->size(), QSize(900, 600));
            // Centred, give or take the frame the platform draws around it.
            const QPoint off = window->geometry().center() - window->screen()->availableGeometry().center();
            EXPECT_LE(off.manhattanLength(), 8) << off.x() << "," << off.y();
        }
        const QSize shown = window->size();
        window->close();
        // The frame shown is what the next run starts from: a damaged value does not stay.
        const auto stored = WindowFrames::parse(run.settings.defaults().string("frames/ResultWindow").value_or(""));
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->size(), shown);
    }
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

TEST(AppDelegate, ASelectionMostlyOverOurOwnGridIsRefused)
{
    Shell s;
    // Without a result window the window stacking is not even read.
    EXPECT_TRUE(s.app.allowsCapture(QRect(0, 0, 200, 200)));
    EXPECT_EQ(s.stacking.reads, 0);

    QWidget* window = s.app.showResult(twoByTwo(), std::nullopt);
    window->move(100, 80);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QWidget* grid = window->findChild<GridContainer*>()->tableView();
    const QRect onGrid(grid->mapToGlobal(QPoint(0, 0)), grid->size());
    const QRect beside(window->geometry().right() + 40, 80, 200, 150);
    s.stacking.windows = {{1, beside}, {window->winId(), window->geometry()}};
    EXPECT_FALSE(s.app.allowsCapture(onGrid.adjusted(5, 5, -5, -5)));
    EXPECT_EQ(s.stacking.reads, 1);
    ASSERT_NE(Toast::current(), nullptr);
    EXPECT_EQ(Toast::current()->windowTitle(),
              QStringLiteral("That's Vantrel's own result. Select the original table instead."));
    EXPECT_TRUE(s.app.allowsCapture(beside));
    // Another program's window in front of the grid: its own table may be captured.
    s.stacking.windows.insert(s.stacking.windows.begin(), {2, onGrid});
    EXPECT_TRUE(s.app.allowsCapture(onGrid.adjusted(5, 5, -5, -5)));
    // A minimised result window shows no grid.
    s.stacking.windows.erase(s.stacking.windows.begin());
    window->showMinimized();
    EXPECT_TRUE(s.app.allowsCapture(onGrid.adjusted(5, 5, -5, -5)));
    window->close();
}

TEST(AppDelegate, MatchColumnsIsAWindowOfItsOwnThatClosesOnItsAnswer)
{
    Shell s;
    const VozudOzev::StitchTables::MappingRequest request{{"Item", "Qty"}, {"Item", "Price"}, {0, 1}, "Why"};
    std::vector<std::pair<std::optional<VozudOzev::StitchTables::Mapping>, bool>> answers;
    const auto record = [&](std::optional<VozudOzev::StitchTables::Mapping> m, bool closed) {
        answers.emplace_back(std::move(m), closed);
    };
    QPointer<QWidget> stitched = s.app.askMapping(request, record);
    ASSERT_NE(stitched, nullptr);
    EXPECT_EQ(stitched->windowTitle(), QStringLiteral("Match Columns"));
    EXPECT_EQ(stitched->size(), QSize(520, 420));
    EXPECT_EQ(stitched->minimumSize(), stitched->maximumSize());
    EXPECT_EQ(s.app.windows().size(), 1);
    stitched->findChild<QPushButton*>("stitchButton")->click();
    QPointer<QWidget> closed = s.app.askMapping(request, record);
    closed->close();
    ASSERT_TRUE(waitFor([&] { return !stitched && !closed; }, 2000));
    EXPECT_TRUE(s.app.windows().isEmpty());
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0], std::make_pair(std::optional(VozudOzev::StitchTables::Mapping{0, 1}), false));
    EXPECT_EQ(answers[1], std::make_pair(std::optional<VozudOzev::StitchTables::Mapping>(), true));
}
