#include "Support/Canvas.hpp"

#include "VozudOzev/Repair/EmptyCellReader.hpp"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

using namespace VozudOzev;

namespace {

AssembledCell cell(int row, int col, std::string text, BBox box)
{
    AssembledCell c;
    c.row = row;
    c.col = col;
    c.text = std::move(text);
    if (!c.text.empty())
        c.confidence = 0.9;
    c.box = box;
    return c;
}

}  // namespace

TEST(EmptyCellReader, FillsOnlyTrueEmptyCellsWithTextThatIsNotANeighbours)
{
    std::vector<AssembledCell> cells = {
        cell(0, 0, "Name", {0, 0, 100, 20}),  cell(0, 1, "", {100, 0, 100, 20}),   // reads "Name" again
        cell(1, 0, "", {0, 20, 100, 20}),     cell(1, 1, "", {100, 20, 100, 20}),  // "|" / "Qty"
        cell(2, 0, "", {0, 40, 100, 4}),      cell(2, 1, "", {100, 40, 100, 20}),  // too low / word over it
        cell(3, 0, "", {0, 60, 100, 20}),
    };
    const std::map<std::pair<double, double>, std::string> answers = {
        {{100, 0}, "Name"}, {{0, 20}, "|"}, {{100, 20}, "  Qty\n "}, {{0, 60}, "nothing"}};
    std::vector<BBox> asked;
    const CropReading::Reader reread = [&](const BBox& box) -> std::optional<std::string> {
        asked.push_back(box);
        auto it = answers.find({box.x, box.y});
        return it == answers.end() ? std::nullopt : std::optional(it->second);
    };
    // Ink in every cell but (3, 1) below, ruling lines along all cell edges.
    VozudOzev::Image image = TestSupport::Canvas::plain(300, 120);
    for (const AssembledCell& c : cells)
        TestSupport::Canvas::fill(image, int(c.box->x) + 40, int(c.box->y) + 5, 8, 12, 0);
    cells.push_back(cell(3, 1, "", {100, 60, 100, 20}));
    for (int y = 0; y <= 80; y += 20)
        TestSupport::Canvas::fill(image, 0, y, 200, 2, 0);
    for (int x = 0; x <= 200; x += 100)
        TestSupport::Canvas::fill(image, x, 0, 2, 80, 0);
    const std::vector<BBox> placed = {BBox{0, 0, 40, 20}, BBox{110, 42, 30, 16}};
    EXPECT_EQ(EmptyCellReader::fill(cells, image, placed, 20, reread), 2);
    EXPECT_EQ(cells[1].text, "");  // the crop reached into the cell on its left
    EXPECT_EQ(cells[2].text, "");  // "|" has no letter or digit
    EXPECT_FALSE(cells[2].confidence);
    EXPECT_EQ(cells[3].text, "Qty");
    EXPECT_EQ(cells[3].confidence, 0.5);
    EXPECT_EQ(cells[3].textBox, cells[3].box);
    EXPECT_EQ(cells[4].text, "");
    EXPECT_EQ(cells[5].text, "");
    EXPECT_EQ(cells[6].text, "nothing");
    EXPECT_EQ(cells[7].text, "");
    EXPECT_EQ(asked.size(), 4u);  // not the low cell, the covered one, nor the blank one
}

TEST(EmptyCellReader, OverlapRule)
{
    const BBox c{0, 0, 100, 20};
    EXPECT_FALSE(EmptyCellReader::overlapsPlacedWord(c, {BBox{98, 0, 10, 10}}));  // a fifth of the word exactly
    EXPECT_TRUE(EmptyCellReader::overlapsPlacedWord(c, {BBox{97, 0, 10, 10}}));
    EXPECT_FALSE(EmptyCellReader::overlapsPlacedWord(c, {}));
}

TEST(EmptyCellReader, ReadErrorsArePassedOn)
{
    std::vector<AssembledCell> cells = {cell(0, 0, "", {0, 0, 100, 20})};
    VozudOzev::Image image = TestSupport::Canvas::plain(100, 20);
    TestSupport::Canvas::fill(image, 40, 4, 8, 12, 0);
    const CropReading::Reader reread = [](const BBox&) -> std::optional<std::string> {
        throw std::runtime_error("ocr failed");
    };
    EXPECT_THROW(EmptyCellReader::fill(cells, image, {}, 20, reread), std::runtime_error);
}

TEST(EmptyCellReader, BlankCellsFramedByRulesAreNotRead)
{
    // The recogniser reads ruling lines in a crop as letters ("LT", "ia"), so a cell is only
    // read when something besides its rules is drawn in it.
    for (int cellH : {14, 20, 44})
        for (int cellW : {16, 100})
            for (int thick : {1, 3})
                for (int inset : {0, 3})
                    for (bool written : {false, true}) {
                        SCOPED_TRACE(std::to_string(cellW) + "x" + std::to_string(cellH) + " rule " + std::to_string(thick)
                                     + " inset " + std::to_string(inset) + (written ? " written" : " blank"));
                        VozudOzev::Image image = TestSupport::Canvas::plain(400, 300);
                        for (int r = 0; r <= 3; ++r)
                            TestSupport::Canvas::fill(image, 10, 10 + r * cellH, 3 * cellW, thick, 60);
                        for (int c = 0; c <= 3; ++c)
                            TestSupport::Canvas::fill(image, 10 + c * cellW, 10, thick, 3 * cellH, 60);
                        if (written)
                            TestSupport::Canvas::fill(image, 10 + cellW + cellW / 2 - 2, 10 + cellH + cellH / 2 - 4, 4, 8, 0);
                        std::vector<AssembledCell> cells;
                        for (int r = 0; r < 3; ++r)
                            for (int c = 0; c < 3; ++c)
                                cells.push_back(cell(r, c, "",
                                                     {10.0 + c * cellW - inset, 10.0 + r * cellH - inset,
                                                      double(cellW + 2 * inset), double(cellH + 2 * inset)}));
                        int calls = 0;
                        const CropReading::Reader reread = [&](const BBox&) -> std::optional<std::string> {
                            ++calls;
                            return std::nullopt;
                        };
                        EmptyCellReader::fill(cells, image, {}, 12, reread);
                        EXPECT_EQ(calls, written ? 1 : 0);
                    }
}

TEST(EmptyCellReader, InkOfAPlacedNeighbourWordIsNotRead)
{
    // The neighbour's word reaches 4 px into the empty cell: too little to count as covering
    // it, but its ink is no reason to read the cell.
    VozudOzev::Image image = TestSupport::Canvas::plain(200, 20);
    TestSupport::Canvas::fill(image, 60, 4, 44, 12, 0);
    const BBox word{60, 4, 44, 12};
    std::vector<AssembledCell> cells = {cell(0, 0, "x", {0, 0, 100, 20}), cell(0, 1, "", {100, 0, 100, 20})};
    int calls = 0;
    const CropReading::Reader reread = [&](const BBox&) -> std::optional<std::string> {
        ++calls;
        return "y";
    };
    EXPECT_EQ(EmptyCellReader::fill(cells, image, {word}, 12, reread), 0);
    EXPECT_EQ(calls, 0);
    // Without the word placed the ink is the cell's own.
    EXPECT_EQ(EmptyCellReader::fill(cells, image, {}, 12, reread), 1);
}
