#include "GridHarness.hpp"

#include "Kestrow/Editor/CropPreview.hpp"

#include <QFrame>
#include <QLineEdit>
#include <QMenu>

#include <gtest/gtest.h>

using namespace Kestrow;
using KestrowEditor::CellPos;
using KestrowEditor::GridSelection;
using VozudOzev::Cell;
using VozudOzev::Table;

namespace {

Table filled(int rows, int cols)
{
    Table t;
    t.rows = rows;
    t.cols = cols;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            t.cells.push_back(Cell{r, c, 1, 1, std::to_string(r) + "," + std::to_string(c)});
    return t;
}

std::string textAt(const KestrowEditor::EditorDocument& doc, int row, int col)
{
    return doc.table().grid()[std::size_t(row)][std::size_t(col)];
}

std::optional<GridSelection> sel(int r0, int c0, int r1, int c1)
{
    return GridSelection(CellPos(r0, c0), CellPos(r1, c1));
}

}  // namespace

TEST(GridInput, TypingOpensTheEditorAndReturnCommitsAndMovesDown)
{
    GridHarness h(filled(4, 3));
    h.click(1, 2);
    EXPECT_EQ(h.doc->selection(), sel(1, 1, 1, 1));

    h.key(Qt::Key_A, {}, h.view());
    ASSERT_TRUE(h.grid->editingPos());
    EXPECT_TRUE(h.grid->editorBox()->isVisible());
    EXPECT_EQ(h.grid->editor()->text(), "a");
    EXPECT_EQ(h.grid->editor()->cursorPosition(), 1) << "caret after the typed character";
    EXPECT_EQ(QApplication::focusWidget(), h.grid->editor());

    h.key(Qt::Key_B);
    h.key(Qt::Key_Return);
    EXPECT_FALSE(h.grid->editingPos());
    EXPECT_EQ(textAt(*h.doc, 1, 1), "ab");
    EXPECT_EQ(h.doc->selection(), sel(2, 1, 2, 1));
    EXPECT_EQ(QApplication::focusWidget(), h.view());

    // Return outside an edit opens the editor on the cell's own text.
    h.key(Qt::Key_Return);
    EXPECT_EQ(h.grid->editor()->text(), "2,1");
    h.key(Qt::Key_Escape);
    EXPECT_FALSE(h.grid->editingPos());
}

TEST(GridInput, EscapeDiscardsAndTabBacktabCommitAndMove)
{
    GridHarness h(filled(3, 3));
    h.click(0, 2);
    h.key(Qt::Key_X, {}, h.view());
    h.key(Qt::Key_Escape);
    EXPECT_EQ(textAt(*h.doc, 0, 1), "0,1");
    EXPECT_FALSE(h.doc->canUndo());

    h.key(Qt::Key_Y, {}, h.view());
    h.key(Qt::Key_Tab);
    EXPECT_EQ(textAt(*h.doc, 0, 1), "y");
    EXPECT_EQ(h.doc->selection(), sel(0, 2, 0, 2));

    h.key(Qt::Key_Z, {}, h.view());
    h.key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(textAt(*h.doc, 0, 2), "z");
    EXPECT_EQ(h.doc->selection(), sel(0, 1, 0, 1));

    // Tab and Shift-Tab outside an edit move too, and never leave the grid.
    h.key(Qt::Key_Tab, {}, h.view());
    h.key(Qt::Key_Tab, {}, h.view());
    EXPECT_EQ(h.doc->selection(), sel(1, 0, 1, 0));
    h.key(Qt::Key_Backtab, Qt::ShiftModifier, h.view());
    EXPECT_EQ(h.doc->selection(), sel(0, 2, 0, 2));
    EXPECT_EQ(QApplication::focusWidget(), h.view());
}

TEST(GridInput, NamedKeysMoveClearAndCollapse)
{
    GridHarness h(filled(4, 4));
    h.click(1, 1);
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        std::optional<GridSelection> want;
    } cases[] = {
        {Qt::Key_Right, Qt::AltModifier, sel(1, 1, 1, 1)},   // Alt-Right moves like Right
        {Qt::Key_Down, Qt::ShiftModifier, sel(1, 1, 2, 1)},  // Shift extends
        {Qt::Key_Right, Qt::ShiftModifier, sel(1, 1, 2, 2)},
        {Qt::Key_Escape, {}, sel(2, 2, 2, 2)},  // collapses to the focus
        {Qt::Key_Left, Qt::ControlModifier, sel(2, 1, 2, 1)},
        {Qt::Key_Up, {}, sel(1, 1, 1, 1)},
        {Qt::Key_F5, {}, sel(1, 1, 1, 1)},  // function keys never type
        {Qt::Key_A, Qt::ControlModifier, sel(1, 1, 1, 1)},
        {Qt::Key_A, Qt::MetaModifier, sel(1, 1, 1, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key | c.mods).toString().toStdString());
        h.key(c.key, c.mods, h.view());
        EXPECT_FALSE(h.grid->editingPos()) << "no edit opened";
        EXPECT_EQ(h.doc->selection(), c.want);
    }
    h.doc->select(CellPos(1, 1), false);
    h.doc->select(CellPos(2, 2), true);
    h.key(Qt::Key_Backspace, {}, h.view());
    EXPECT_EQ(textAt(*h.doc, 1, 1), "");
    EXPECT_EQ(textAt(*h.doc, 2, 2), "");
    EXPECT_EQ(textAt(*h.doc, 3, 3), "3,3");
    EXPECT_EQ(h.doc->undoTitle(), "Clear");
}

TEST(GridInput, CtrlZWhileEditingStaysInTheField)
{
    GridHarness h(filled(3, 3));
    h.click(0, 1);
    h.key(Qt::Key_Q, {}, h.view());
    h.key(Qt::Key_W);
    const int revision = h.doc->revision();
    h.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(h.grid->editingPos()) << "the edit stays open";
    EXPECT_NE(h.grid->editor()->text(), "qw") << "the field undid its typing";
    EXPECT_EQ(h.doc->revision(), revision) << "the document is untouched";

    // Ctrl+' during an edit neither jumps nor closes it.
    h.key(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_TRUE(h.grid->editingPos());

    h.grid->editor()->setText("new");
    h.key(Qt::Key_Return);
    EXPECT_EQ(textAt(*h.doc, 0, 0), "new");
    h.key(Qt::Key_Z, Qt::ControlModifier, h.view());
    EXPECT_EQ(textAt(*h.doc, 0, 0), "0,0") << "after the edit, Ctrl+Z undoes it in the document";
    h.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, h.view());
    EXPECT_EQ(textAt(*h.doc, 0, 0), "new");
}

TEST(GridInput, CtrlApostropheJumpsToTheNextCellToCheck)
{
    Table t = filled(5, 3);
    t.cells[4].confidence = 0.3;                                    // (1, 1)
    t.cells[12].flags = std::vector{VozudOzev::CellFlag::totalMismatch};  // (4, 0)
    GridHarness h(t);
    h.click(0, 1);
    h.key(Qt::Key_Apostrophe, Qt::ControlModifier, h.view());
    EXPECT_EQ(h.doc->selection(), sel(1, 1, 1, 1));
    h.key(Qt::Key_Apostrophe, Qt::ControlModifier, h.view());
    EXPECT_EQ(h.doc->selection(), sel(4, 0, 4, 0));
    h.key(Qt::Key_Apostrophe, Qt::ControlModifier, h.view());
    EXPECT_EQ(h.doc->selection(), sel(1, 1, 1, 1)) << "wraps to the first";
}

TEST(GridInput, GutterClicksSelectWholeRowsAndShiftClickExtends)
{
    GridHarness h(filled(10, 4));
    h.click(3, 0);
    EXPECT_EQ(h.doc->selection(), sel(3, 0, 3, 3));
    h.click(7, 0, Qt::ShiftModifier);
    EXPECT_EQ(h.doc->selection(), sel(3, 0, 7, 3));

    // Shift-click on a data cell extends from the anchor.
    h.click(1, 1);
    h.click(2, 3, Qt::ShiftModifier);
    EXPECT_EQ(h.doc->selection(), sel(1, 0, 2, 2));
}

TEST(GridInput, DragExtendsOverDataCellsOnly)
{
    GridHarness h(filled(8, 5));
    h.drag(h.at(2, 0), h.at(5, 4));
    EXPECT_EQ(h.doc->selection(), sel(2, 0, 5, 3));

    h.drag(h.at(1, 1), h.at(4, 0));
    EXPECT_EQ(h.doc->selection(), sel(1, 0, 1, 0)) << "dragging over the gutter changes nothing";

    h.doc->setSelection(std::nullopt);
    QMouseEvent move(QEvent::MouseMove, QPointF(h.at(3, 3)), h.viewport()->mapToGlobal(QPointF(h.at(3, 3))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.viewport(), &move);
    EXPECT_EQ(h.doc->selection(), std::nullopt) << "a drag without a selection does nothing";
}

TEST(GridInput, DoubleClickEditsAndAClickElsewhereCommits)
{
    GridHarness h(filled(3, 3));
    QTest::mouseDClick(h.viewport(), Qt::LeftButton, {}, h.at(2, 2));
    ASSERT_TRUE(h.grid->editingPos());
    EXPECT_EQ(*h.grid->editingPos(), CellPos(2, 1));
    h.grid->editor()->setText("changed");
    h.click(0, 1);
    EXPECT_FALSE(h.grid->editingPos());
    EXPECT_EQ(textAt(*h.doc, 2, 1), "changed");
    EXPECT_EQ(h.doc->selection(), sel(0, 0, 0, 0));
}

TEST(GridInput, EditorCoversTheWholeMergedCell)
{
    GridHarness h(filled(4, 5));
    h.doc->select(CellPos(1, 1), false);
    h.doc->select(CellPos(2, 3), true);
    ASSERT_TRUE(h.doc->mergeSelection());
    h.doc->select(CellPos(1, 1), false);
    h.key(Qt::Key_Return, {}, h.view());
    ASSERT_TRUE(h.grid->editingPos());
    const QRect merged = h.view()->visualRect(h.view()->model()->index(1, 2))
                             .united(h.view()->visualRect(h.view()->model()->index(2, 4)));
    EXPECT_EQ(h.grid->editorBox()->geometry(), merged.adjusted(-1, -1, 1, 1));
    EXPECT_EQ(h.grid->editor()->text(), "1,1 1,2 1,3 2,1 2,2 2,3");
}

TEST(GridInput, ContextMenuAdjustsTheSelectionAndRunsItsCommands)
{
    GridHarness h(filled(6, 4));
    h.doc->select(CellPos(1, 1), false);
    h.doc->select(CellPos(2, 2), true);

    std::unique_ptr<QMenu> menu(h.grid->contextMenu(2, 3));
    EXPECT_EQ(h.doc->selection(), sel(1, 1, 2, 2)) << "a right-click inside the selection keeps it";
    QAction* merge = nullptr;
    for (auto* a : menu->actions())
        if (a->text() == "Merge Cells")
            merge = a;
    ASSERT_NE(merge, nullptr);
    EXPECT_TRUE(merge->isEnabled());
    merge->trigger();
    EXPECT_EQ(h.doc->undoTitle(), "Merge Cells");
    EXPECT_EQ(textAt(*h.doc, 1, 1), "1,1 1,2 2,1 2,2");

    auto action = [&menu](const char* title) {
        for (auto* a : menu->actions())
            if (a->text() == title)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    menu.reset(h.grid->contextMenu(1, 2));
    ASSERT_TRUE(action("Split Cells") && action("Split Cells")->isEnabled());
    action("Split Cells")->trigger();
    EXPECT_EQ(h.doc->undoTitle(), "Split Cells");
    EXPECT_EQ(h.doc->selection(), sel(1, 1, 2, 2)) << "all pieces selected";

    menu.reset(h.grid->contextMenu(1, 0));
    ASSERT_TRUE(action("Mark as Header Row"));
    action("Mark as Header Row")->trigger();
    EXPECT_EQ(h.doc->headerRowCount(), 2);
    EXPECT_EQ(h.grid->headerRows(), 2) << "the grid caught up";
    menu.reset(h.grid->contextMenu(0, 0));
    ASSERT_TRUE(action("Unmark Header Row"));

    menu.reset(h.grid->contextMenu(4, 2));
    EXPECT_EQ(h.doc->selection(), sel(4, 1, 4, 1)) << "outside: the clicked cell alone";
    menu.reset(h.grid->contextMenu(5, 0));
    EXPECT_EQ(h.doc->selection(), sel(5, 0, 5, 3)) << "gutter outside the selection: the whole row";
    EXPECT_EQ(menu->actions().size(), 13);
}

TEST(GridInput, ClosingTheWindowKeepsAnOpenEdit)
{
    GridHarness h(filled(3, 3));
    h.click(1, 1);
    h.key(Qt::Key_K, {}, h.view());
    ASSERT_TRUE(h.grid->editingPos());
    h.window->close();
    EXPECT_FALSE(h.grid->editingPos());
    EXPECT_EQ(textAt(*h.doc, 1, 0), "k");
}

TEST(GridInput, SwitchingDocumentsCommitsToTheOldOne)
{
    GridHarness h(filled(3, 3));
    KestrowEditor::EditorDocument other(filled(2, 2));
    h.click(0, 1);
    h.key(Qt::Key_M, {}, h.view());
    h.grid->setInputs(&other, 0.8, Palette::light());
    EXPECT_EQ(textAt(*h.doc, 0, 0), "m");
    EXPECT_EQ(h.view()->model()->rowCount(), 2);
    other.setText("n", CellPos(1, 1), 0.8);
    EXPECT_EQ(h.view()->model()->index(1, 2).data().toString(), "n") << "the grid follows the new document";
    h.doc->setText("old", CellPos(2, 2), 0.8);  // the old document no longer reaches the grid
    EXPECT_EQ(h.view()->model()->rowCount(), 2);
}

TEST(GridInput, CtrlZInAnotherWindowIsNotTheGrids)
{
    GridHarness h(filled(3, 3));
    h.doc->setText("edited", CellPos(0, 0), 0.8);
    QWidget other;
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(&other, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(textAt(*h.doc, 0, 0), "edited");
    EXPECT_TRUE(h.doc->canUndo());
}
