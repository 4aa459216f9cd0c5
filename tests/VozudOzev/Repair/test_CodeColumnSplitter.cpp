#include "Support/OCRBuilders.hpp"

#include "VozudOzev/Repair/CodeColumnSplitter.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using TestSupport::OCRBuilders::word;

namespace {

struct Table {
    std::vector<AssembledCell> cells;
    std::vector<std::vector<OCRWord>> words;

    // A cell of one line of words, its box the column's extent.
    void add(int row, int col, std::vector<OCRWord> ws, bool header = false, int colSpan = 1)
    {
        AssembledCell c;
        c.row = row;
        c.col = col;
        c.colSpan = colSpan;
        c.header = header;
        c.box = BBox{col == 0 ? 0.0 : 300.0, 20.0 * row, col == 0 ? 300.0 : 100.0 * colSpan, 20};
        for (const OCRWord& w : ws) {
            c.text += (c.text.empty() ? "" : " ") + w.text;
            c.confidence = std::min(c.confidence.value_or(1), w.confidence);
            c.textBox = c.textBox ? c.textBox->unite(w.bbox) : w.bbox;
        }
        cells.push_back(c);
        words.push_back(std::move(ws));
    }
};

// Rows of "code, gap, description" in column 0 and an amount in column 1.
Table itemTable(const std::vector<std::string>& codes)
{
    Table t;
    t.add(0, 0, {word("Item", 5, 2, 40, 10)}, true);
    t.add(0, 1, {word("Amount", 305, 2, 60, 10)}, true);
    for (size_t i = 0; i < codes.size(); ++i) {
        const double y = 20.0 * static_cast<double>(i + 1) + 2;
        std::vector<OCRWord> ws;
        if (!codes[i].empty())
            ws.push_back(word(codes[i], 5, y, 40, 10, 0.8));
        ws.push_back(word("Widget", 80, y, 60, 10));
        ws.push_back(word("blue", 145, y, 40, 10));
        t.add(static_cast<int>(i + 1), 0, ws);
        t.add(static_cast<int>(i + 1), 1, {word("12", 305, y, 20, 10)});
    }
    return t;
}

}  // namespace

TEST(CodeColumnSplitter, SplitsCodesFromDescriptions)
{
    Table t = itemTable({"A-101", "A-102", "B-7", "4.1.2"});
    t.add(5, 0, {word("Total", 5, 102, 50, 10)}, false, 2);  // spans both columns
    EXPECT_EQ(CodeColumnSplitter::split(t.cells, t.words, 2, 10), 3);

    const auto at = [&](int row, int col) -> const AssembledCell* {
        for (const AssembledCell& c : t.cells)
            if (c.row == row && c.col == col)
                return &c;
        return nullptr;
    };
    ASSERT_TRUE(at(1, 0) && at(1, 1) && at(1, 2));
    EXPECT_EQ(at(1, 0)->text, "A-101");
    EXPECT_EQ(at(1, 0)->confidence, 0.8);
    EXPECT_EQ(at(1, 0)->textBox, (BBox{5, 22, 40, 10}));
    EXPECT_EQ(at(1, 1)->text, "Widget blue");
    EXPECT_EQ(at(1, 1)->confidence, 0.9);
    EXPECT_EQ(at(1, 2)->text, "12");
    // The split falls in the middle of the gap, between 45 and 80.
    EXPECT_EQ(at(1, 0)->box, (BBox{0, 20, 62.5, 20}));
    EXPECT_EQ(at(1, 1)->box, (BBox{62.5, 20, 237.5, 20}));
    // The header stays over the codes and gets an empty neighbour.
    EXPECT_EQ(at(0, 0)->text, "Item");
    EXPECT_EQ(at(0, 1)->text, "");
    EXPECT_TRUE(at(0, 1)->header);
    EXPECT_EQ(at(0, 2)->text, "Amount");
    // A spanning cell covers both halves.
    EXPECT_EQ(at(5, 0)->colSpan, 3);
}

TEST(CodeColumnSplitter, LeavesDoubtfulColumnsAlone)
{
    const struct {
        const char* name;
        std::vector<std::string> codes;
    } cases[] = {
        {"two codes only", {"A-101", "A-102", ""}},
        {"too many rows without a code", {"A-101", "A-102", "A-103", "", ""}},
        {"not code-like", {"Red", "Green", "Blue"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t = itemTable(c.codes);
        const std::vector<AssembledCell> before = t.cells;
        EXPECT_EQ(CodeColumnSplitter::split(t.cells, t.words, 2, 10), 2);
        EXPECT_EQ(t.cells, before);
    }

    // A text that runs across the gap: the column is one column after all.
    Table crossing = itemTable({"A-101", "A-102", "A-103", "A-104", "A-105"});
    crossing.add(6, 0, {word("A-106", 5, 122, 40, 10), word("long", 50, 122, 100, 10)});
    const std::vector<AssembledCell> before = crossing.cells;
    EXPECT_EQ(CodeColumnSplitter::split(crossing.cells, crossing.words, 2, 10), 2);
    EXPECT_EQ(crossing.cells, before);

    // A gap no wider than the text height is a blank, not a column gap.
    Table narrow = itemTable({"A-101", "A-102", "A-103"});
    EXPECT_EQ(CodeColumnSplitter::split(narrow.cells, narrow.words, 2, 40), 2);
}
