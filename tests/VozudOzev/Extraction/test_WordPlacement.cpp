#include "Support/OCRBuilders.hpp"

#include "VozudOzev/Extraction/WordPlacement.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using TestSupport::OCRBuilders::word;

namespace {

constexpr int none = -1;

// The cell each word went to, or none.
std::vector<int> targets(const std::optional<BBox>& table, const std::vector<std::optional<BBox>>& cells,
                         const std::vector<OCRWord>& words)
{
    std::vector<bool> placed(words.size(), false);
    const auto byCell = WordPlacement::place(table, cells, words, placed);
    std::vector<int> out(words.size(), none);
    for (size_t c = 0; c < byCell.size(); ++c)
        for (size_t w : byCell[c])
            out[w] = static_cast<int>(c);
    for (size_t w = 0; w < words.size(); ++w)
        EXPECT_EQ(placed[w], out[w] != none);
    return out;
}

}  // namespace

TEST(WordPlacement, PlacesEachWordInOneCell)
{
    const std::vector<std::optional<BBox>> two = {BBox{0, 0, 10, 10}, BBox{10, 0, 10, 10}};
    const std::vector<std::optional<BBox>> apart = {BBox{0, 0, 10, 10}, BBox{20, 0, 10, 10}};
    const struct {
        const char* name;
        std::optional<BBox> table;
        std::vector<std::optional<BBox>> cells;
        OCRWord word;
        int want;
    } cases[] = {
        {"centre on the shared edge goes to the first cell", std::nullopt, two, word("a", 8, 2, 4, 4), 0},
        {"centre inside the second cell", std::nullopt, two, word("a", 12, 2, 4, 4), 1},
        {"centre outside, touching the first cell", std::nullopt, apart, word("a", 8, 0, 4, 4), 0},
        {"touching no cell", std::nullopt, apart, word("a", 12, 0, 4, 4), none},
        {"one-cell table, touching nothing", std::nullopt, {BBox{0, 0, 10, 10}}, word("a", 12, 0, 4, 4), none},
        {"one-cell table, overlapping", std::nullopt, {BBox{0, 0, 10, 10}}, word("a", 9, 0, 4, 4), 0},
        {"largest overlap wins", std::nullopt, {BBox{0, 0, 10, 10}, BBox{0, 12, 10, 10}}, word("a", 2, 9.5, 4, 4), 1},
        {"equal overlaps: the earlier cell", std::nullopt, {BBox{0, 0, 10, 10}, BBox{0, 12, 10, 10}},
         word("a", 2, 8, 4, 6), 0},
        {"a cell without a box counts nothing", std::nullopt, {std::nullopt, BBox{0, 0, 10, 10}}, word("a", 2, 2, 4, 4),
         1},
        {"exactly half inside the table box", BBox{0, 0, 100, 100}, {BBox{50, 0, 50, 50}}, word("a", 95, 10, 10, 10), 0},
        {"just under half inside", BBox{0, 0, 100, 100}, {BBox{50, 0, 50, 50}}, word("a", 95.1, 10, 10, 10), none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(targets(c.table, c.cells, {c.word}), std::vector<int>{c.want});
    }
}

TEST(WordPlacement, AWordGoesToTheFirstTableThatTakesIt)
{
    const std::vector<OCRWord> words = {word("shared", 8, 2, 4, 4), word("second", 30, 2, 4, 4)};
    std::vector<bool> placed(words.size(), false);
    const auto first = WordPlacement::place(BBox{0, 0, 20, 10}, {BBox{0, 0, 20, 10}}, words, placed);
    const auto second = WordPlacement::place(std::nullopt, {BBox{0, 0, 40, 10}}, words, placed);
    EXPECT_EQ(first[0], std::vector<size_t>{0});
    EXPECT_EQ(second[0], std::vector<size_t>{1});
}

TEST(WordPlacement, ReadingOrder)
{
    const auto texts = [](std::vector<OCRWord> ws) {
        WordPlacement::sortReadingOrder(ws);
        std::string out;
        for (const OCRWord& w : ws)
            out += w.text;
        return out;
    };
    // The right word of one line sits slightly higher.
    EXPECT_EQ(texts({word("b", 50, 8, 20, 10), word("a", 0, 10, 20, 10)}), "ab");
    EXPECT_EQ(texts({word("d", 50, 30, 20, 10), word("c", 0, 30, 20, 10), word("b", 50, 10, 20, 10),
                     word("a", 0, 10, 20, 10)}),
              "abcd");
    // Very different heights make the comparison cyclic: still all words, same answer twice.
    const std::vector<OCRWord> cyclic = {word("x", 0, 0, 10, 40), word("y", 20, 30, 10, 4), word("z", 5, 14, 10, 4)};
    const std::string once = texts(cyclic);
    EXPECT_EQ(once.size(), 3u);
    EXPECT_EQ(texts(cyclic), once);
}

TEST(WordPlacement, AssembledCellAndItsConversion)
{
    StructureFile::SCell s{2, 1, 0, 3, BBox{0, 0, 100, 20}, std::nullopt};
    const AssembledCell a =
        WordPlacement::assembled(s, BBox{0, 0, 50, 10}, {word("12", 0, 0, 10, 10, 0.9), word("kg", 20, 2, 10, 8, 0.6)});
    EXPECT_EQ(a, (AssembledCell{2, 1, 1, 3, false, "12 kg", 0.6, BBox{0, 0, 50, 10}, BBox{0, 0, 30, 10}}));

    const AssembledCell empty = WordPlacement::assembled(s, std::nullopt, {});
    EXPECT_EQ(empty.text, "");
    EXPECT_FALSE(empty.confidence);
    EXPECT_FALSE(empty.textBox);

    const Cell c = WordPlacement::toCell(a);
    EXPECT_EQ(c, (Cell{2, 1, 1, 3, "12 kg", 0.6, BBox{0, 0, 50, 10}, std::nullopt, std::nullopt}));
    AssembledCell header = a;
    header.header = true;
    EXPECT_EQ(WordPlacement::toCell(header).header, std::optional<bool>(true));
}
