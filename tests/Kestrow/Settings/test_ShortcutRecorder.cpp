#include "Kestrow/Settings/SettingsWarning.hpp"
#include "Kestrow/Settings/ShortcutRecorder.hpp"
#include "Kestrow/Settings/ShortcutsPage.hpp"
#include "Kestrow/Shell/WindowShortcuts.hpp"
#include "tests/Kestrow/Settings/SettingsHarness.hpp"

#include <gtest/gtest.h>

#include <QVBoxLayout>

using namespace Kestrow;

namespace {

// X11 keycodes on a US-shaped keyboard.
constexpr quint32 keyEsc = 9, keyT = 28, keyW = 25, keyQ = 24, keyCtrl = 37;

struct Key {
    int key;
    Qt::KeyboardModifiers mods;
    quint32 code;
};

// The shortcuts page in a window that has the application's window keys (Ctrl+W closes,
// Ctrl+Q quits).
struct PageWindow {
    SettingsHarness h;
    QWidget window;
    ShortcutsPage* page = nullptr;
    bool quit = false;

    PageWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        page = new ShortcutsPage(h.settings);
        layout->addWidget(page);
        WindowCommands commands;
        commands.quit = [this] { quit = true; };
        WindowShortcuts::install(&window, commands);
    }
    QWidget* focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : &window; }
    void press(const Key& k) { sendKey(focus(), k.key, k.mods, k.code); }
};

}  // namespace

TEST(ShortcutRecorder, WindowKeysActWhenNotRecording)
{
    // The harness's key presses reach the window's shortcuts: Ctrl+W closes when idle.
    PageWindow w;
    ASSERT_TRUE(showActive(w.window));
    w.press({Qt::Key_W, Qt::ControlModifier, keyW});
    EXPECT_FALSE(w.window.isVisible());
}

TEST(ShortcutRecorder, RecordsOnlyRealCombinationsAndNeverActsOnThem)
{
    using M = Qt::KeyboardModifier;
    const Shortcut old = Shortcut::defaultCapture();
    const struct {
        const char* name;
        std::vector<Key> keys;
        std::optional<Shortcut> stored;  // none: the old shortcut stays
        bool recording;                  // still recording afterwards
    } cases[] = {
        {"Esc cancels", {{Qt::Key_Escape, M::NoModifier, keyEsc}}, std::nullopt, false},
        {"Ctrl+Esc cancels too", {{Qt::Key_Escape, M::ControlModifier, keyEsc}}, std::nullopt, false},
        {"a bare letter", {{Qt::Key_T, M::NoModifier, keyT}}, std::nullopt, true},
        {"Shift and a letter", {{Qt::Key_T, M::ShiftModifier, keyT}}, std::nullopt, true},
        {"a modifier alone", {{Qt::Key_Control, M::ControlModifier, keyCtrl}}, std::nullopt, true},
        {"Ctrl+Alt+T", {{Qt::Key_T, M::ControlModifier | M::AltModifier, keyT}},
         Shortcut{keyT, Shortcut::command | Shortcut::option}, false},
        {"T, then Super+T", {{Qt::Key_T, M::NoModifier, keyT}, {Qt::Key_T, M::MetaModifier, keyT}},
         Shortcut{keyT, Shortcut::control}, false},
        {"Ctrl+W is recorded, not acted on", {{Qt::Key_W, M::ControlModifier, keyW}}, Shortcut{keyW, Shortcut::command},
         false},
        {"Ctrl+Q is recorded, not acted on", {{Qt::Key_Q, M::ControlModifier, keyQ}}, Shortcut{keyQ, Shortcut::command},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow w;
        ASSERT_TRUE(showActive(w.window));
        ShortcutRecorder* recorder = w.page->captureRecorder();
        recorder->click();
        ASSERT_TRUE(recorder->recording().isRecording());
        EXPECT_EQ(recorder->shownText(), QStringLiteral("Press keys…"));
        for (const Key& k : c.keys)
            w.press(k);
        EXPECT_EQ(w.h.settings.captureShortcut(), c.stored.value_or(old));
        EXPECT_EQ(recorder->recording().isRecording(), c.recording);
        EXPECT_EQ(recorder->shownText(),
                  c.recording ? QStringLiteral("Press keys…") : c.stored.value_or(old).keycaps().join(u'+'));
        EXPECT_TRUE(w.window.isVisible());
        EXPECT_FALSE(w.quit);
        // Stored for good: a fresh read of the preference file gives the same.
        EXPECT_EQ(AppSettings(w.h.temp.make()).captureShortcut(), c.stored.value_or(old));
    }
}

TEST(ShortcutRecorder, RecordingEndsWithoutChange)
{
    const struct {
        const char* name;
        std::function<void(PageWindow&)> end;
    } cases[] = {
        {"second click", [](PageWindow& w) { w.page->captureRecorder()->click(); }},
        {"window closed", [](PageWindow& w) { w.window.close(); }},
        {"control hidden", [](PageWindow& w) { w.page->hide(); }},
        {"another window takes the focus",
         [](PageWindow&) {
             auto* other = new QWidget;
             other->setAttribute(Qt::WA_DeleteOnClose);
             ASSERT_TRUE(showActive(*other));
             other->close();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow w;
        ASSERT_TRUE(showActive(w.window));
        w.page->captureRecorder()->click();
        ASSERT_TRUE(w.page->captureRecorder()->recording().isRecording());
        c.end(w);
        EXPECT_FALSE(w.page->captureRecorder()->recording().isRecording());
        // Keys go back to the application once recording ended.
        w.press({Qt::Key_T, Qt::ControlModifier | Qt::AltModifier, keyT});
        EXPECT_EQ(w.h.settings.captureShortcut(), Shortcut::defaultCapture());
    }
}

TEST(ShortcutRecorder, OnlyOneRecorderRecordsAtATime)
{
    PageWindow w;
    ASSERT_TRUE(showActive(w.window));
    w.page->captureRecorder()->click();
    w.page->quickRecorder()->click();
    EXPECT_FALSE(w.page->captureRecorder()->recording().isRecording());
    EXPECT_TRUE(w.page->quickRecorder()->recording().isRecording());
    w.press({Qt::Key_T, Qt::ControlModifier | Qt::AltModifier, keyT});
    EXPECT_EQ(w.h.settings.captureShortcut(), Shortcut::defaultCapture());
    EXPECT_EQ(w.h.settings.quickCaptureShortcut(), (Shortcut{keyT, Shortcut::command | Shortcut::option}));
}

TEST(ShortcutsPage, WarningsFollowTheConflictsTheShellFound)
{
    const Shortcut other{29, Shortcut::command | Shortcut::option};
    const struct {
        const char* name;
        std::set<ShortcutSlot> conflicts;
        bool same;
        bool captureWarns, quickWarns;
    } cases[] = {
        {"none", {}, false, false, false},
        {"capture taken", {ShortcutSlot::capture}, false, true, false},
        {"quick taken", {ShortcutSlot::quickCapture}, false, false, true},
        {"both the same", {ShortcutSlot::quickCapture}, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsHarness h;
        h.settings.setQuickCaptureShortcut(c.same ? h.settings.captureShortcut() : other);
        h.settings.setShortcutConflicts(c.conflicts);
        ShortcutsPage page(h.settings);
        EXPECT_EQ(!page.captureWarning()->isHidden(), c.captureWarns);
        EXPECT_EQ(!page.quickWarning()->isHidden(), c.quickWarns);
        if (c.quickWarns) {
            EXPECT_EQ(page.quickWarning()->text(),
                      c.same ? QStringLiteral("Both actions use the same shortcut. Pick a different one for Quick Capture.")
                             : ShortcutsPage::conflictText(ShortcutsPage::runsOnPlainX11()));
        }
    }
    // Off plain X11 a failed registration may be the desktop's doing, and the text says so.
    EXPECT_TRUE(ShortcutsPage::conflictText(true).startsWith("Another app already uses this shortcut"));
    EXPECT_TRUE(ShortcutsPage::conflictText(false).contains("does not allow global shortcuts"));
}
