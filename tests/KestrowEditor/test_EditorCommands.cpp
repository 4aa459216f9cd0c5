#include "KestrowEditor/EditorCommands.hpp"
#include "KestrowEditor/EditorDocument.hpp"

#include "TestTables.hpp"

#include <gtest/gtest.h>

using namespace KestrowEditor;
using namespace TestTables;

namespace {

// "T" for an enabled item, "f" for a disabled one, "|" for a separator.
std::string shape(const std::vector<std::optional<EditorCommands::Item>>& items)
{
    std::string s;
    for (const auto& i : items)
        s += !i ? '|' : i->enabled ? 'T' : 'f';
    return s;
}

const EditorCommands::Item& find(const std::vector<std::optional<EditorCommands::Item>>& items, const std::string& title)
{
    for (const auto& i : items)
        if (i && i->title == title)
            return *i;
    throw std::runtime_error("no item " + title);
}

}  // namespace

TEST(EditorCommands, EnabledStatesFollowTheSelection)
{
    Table t = filled(3, 3);
    t.cells[0] = header(t.cells[0]);
    t.cells[1] = header(t.cells[1]);
    t.cells[2] = header(t.cells[2]);
    EditorDocument doc(t);
    EXPECT_EQ(shape(EditorCommands::items(doc)), "fff|fff|ff|ff") << "no selection";

    doc.select(CellPos(1, 1), false);
    auto items = EditorCommands::items(doc);
    EXPECT_EQ(shape(items), "TTT|TTT|ff|TT");
    EXPECT_EQ(items[11]->title, "Mark as Header Row");

    doc.select(CellPos(0, 0), false);
    doc.select(CellPos(2, 1), true);
    items = EditorCommands::items(doc);
    EXPECT_EQ(shape(items), "TTf|TTT|Tf|TT") << "every row selected: no Delete Row";
    EXPECT_EQ(items[11]->title, "Unmark Header Row");
}

TEST(EditorCommands, OneRowLeftAndSplit)
{
    EditorDocument doc(table(1, 3, {cell(0, 0, "a", 1, 2), cell(0, 2, "b")}));
    doc.select(CellPos(0, 1), false);
    const auto items = EditorCommands::items(doc);
    EXPECT_FALSE(find(items, "Delete Row").enabled);
    EXPECT_TRUE(find(items, "Delete Column").enabled);
    EXPECT_TRUE(find(items, "Split Cells").enabled);
    EXPECT_TRUE(find(items, "Merge Cells").enabled) << "the selection grows over the merged cell's two slots";
}

TEST(EditorCommands, ActionsEditTheDocument)
{
    EditorDocument doc(filled(3, 3));
    doc.select(CellPos(0, 0), false);
    doc.select(CellPos(1, 1), true);
    auto items = EditorCommands::items(doc);
    find(items, "Merge Cells").run();
    EXPECT_EQ(doc.undoTitle(), "Merge Cells");
    EXPECT_EQ(doc.table().grid()[0][0], "0,0 0,1 1,0 1,1");

    // Insert actions use the rectangle of the moment the menu was made.
    doc.select(CellPos(2, 2), false);
    items = EditorCommands::items(doc);
    doc.select(CellPos(0, 0), false);
    find(items, "Insert Row Below").run();
    EXPECT_EQ(doc.table().rows, 4);
    EXPECT_EQ(doc.table().grid()[3][0], "") << "inserted below row 2";

    doc.select(CellPos(2, 0), false);
    find(EditorCommands::items(doc), "Mark as Header Row").run();
    EXPECT_EQ(doc.headerRowCount(), 3);
    find(EditorCommands::items(doc), "Clear Contents").run();
    EXPECT_EQ(doc.table().grid()[2][0], "");
}
