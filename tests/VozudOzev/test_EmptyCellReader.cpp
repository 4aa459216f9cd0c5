#include "VozudOzev/EmptyCellReader.hpp"

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
    const std::vector<BBox> placed = {BBox{0, 0, 40, 20}, BBox{110, 42, 30, 16}};
    EXPECT_EQ(EmptyCellReader::fill(cells, placed, 20, reread), 2);
    EXPECT_EQ(cells[1].text, "");  // the crop reached into the cell on its left
    EXPECT_EQ(cells[2].text, "");  // "|" has no letter or digit
    EXPECT_FALSE(cells[2].confidence);
    EXPECT_EQ(cells[3].text, "Qty");
    EXPECT_EQ(cells[3].confidence, 0.5);
    EXPECT_EQ(cells[3].textBox, cells[3].box);
    EXPECT_EQ(cells[4].text, "");
    EXPECT_EQ(cells[5].text, "");
    EXPECT_EQ(cells[6].text, "nothing");
    EXPECT_EQ(asked.size(), 4u);  // not the low cell, not the covered one
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
    const CropReading::Reader reread = [](const BBox&) -> std::optional<std::string> {
        throw std::runtime_error("ocr failed");
    };
    EXPECT_THROW(EmptyCellReader::fill(cells, {}, 20, reread), std::runtime_error);
}
