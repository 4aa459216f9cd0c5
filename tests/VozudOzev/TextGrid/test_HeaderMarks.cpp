#include "VozudOzev/TextGrid/SortIndicators.hpp"
#include "VozudOzev/TextGrid/UnreadBands.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;

// Word boxes as the reading gave them on Qt and GTK headers with a sorted column.
TEST(SortIndicators, StrayArrowAfterAHeaderWordOnly)
{
    const struct {
        const char* what;
        std::vector<OCRLine> lines;
        int removed;
        std::string firstLine;
    } cases[] = {
        {"Qt arrow read as a digit",
         {line({word("Ref.", 137, 11, 22, 10), word("7", 176, 13, 7, 4)}), line({word("Price", 208, 11, 31, 10)}),
          line({word("1", 9, 33, 6, 9), word("David", 24, 32, 36, 10)})},
         1,
         "Ref."},
        // The reading starts a line at the arrow; the word before it is on another line.
        {"GTK arrow opening a line",
         {line({word("N", 18, 7, 8, 9), word("am", 29, 9, 20, 7), word("e", 52, 9, 7, 6)}),
          line({word("w", 79, 9, 9, 5), word("Price", 106, 6, 37, 9)}),
          line({word("Victor", 15, 31, 39, 10), word("Hugo", 58, 32, 32, 12)})},
         1,
         "N am e"},
        // Small letters close to their word, and a lone mark in a data row, stay.
        {"letters and data kept",
         {line({word("Net", 119, 12, 22, 9), word("x", 144, 15, 6, 5)}), line({word("Qty", 200, 12, 22, 9)}),
          line({word("Pen", 119, 40, 22, 9), word("x", 170, 43, 6, 5)})},
         0,
         "Net x"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SortIndicators::remove(c.lines, 10), c.removed);
        EXPECT_EQ(c.lines.front().text, c.firstLine);
    }
}

// Marks drawn beside the header's labels, whatever the reading made of them.
TEST(SortIndicators, DrawnTrianglesBesideHeaderLabelsOnly)
{
    using Rows = std::vector<int>;  // ink width per pixel row, centred; 0 is a blank row
    const struct {
        const char* what;
        Rows rows;
        bool hollow;  // two strokes per row, as a "v"
        double y;     // where the mark stands: 12 beside the header, 42 in a data row
        int removed;
        const char* label = "Name";  // the header label before the mark
    } cases[] = {
        {"one triangle pointing down", {8, 6, 4, 2}, false, 12, 1},
        {"a pair pointing apart", {2, 4, 6, 8, 0, 0, 8, 6, 4, 2}, false, 10, 1},
        {"a hollow v", {8, 8, 6, 4}, true, 12, 0},
        {"a bar", {8, 8, 8}, false, 12, 0},
        {"a triangle in a data row", {8, 6, 4, 2}, false, 42, 0},
        {"beside the number column's #", {8, 6, 4, 2}, false, 12, 1, "#"},
        {"beside a sign that is no label", {8, 6, 4, 2}, false, 12, 0, "%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Image image = TestSupport::Canvas::plain(200, 80);
        const int top = static_cast<int>(c.y);
        for (size_t r = 0; r < c.rows.size(); ++r) {
            const int w = c.rows[r];
            const int y = top + static_cast<int>(r);
            if (w == 0)
                continue;
            if (c.hollow) {
                TestSupport::Canvas::fill(image, 68 - w / 2, y, 1, 1, 0);
                TestSupport::Canvas::fill(image, 68 + w / 2 - 1, y, 1, 1, 0);
            } else {
                TestSupport::Canvas::fill(image, 68 - w / 2, y, w, 1, 0);
            }
        }
        const double markH = static_cast<double>(c.rows.size());
        std::vector<OCRLine> lines{
            line({word("Monthly", 20, 0, 45, 10), word("sales", 70, 0, 30, 10)}),
            line({word(c.label, 20, 10, 40, 10), word("Price", 120, 10, 30, 10)}),
            line({word("Anna", 20, 40, 30, 10), word("12", 130, 40, 14, 10)}),
        };
        const size_t at = c.y < 30 ? 1 : 2;
        lines[at].words.insert(lines[at].words.begin() + 1, word("w", 64, c.y, 8, markH));
        EXPECT_EQ(SortIndicators::removeDrawn(lines, image, 10), c.removed);
    }
}

TEST(UnreadBands, TextRowsNoWordCoversOnly)
{
    // Grey "letters" (short strokes) in two rows, a dark rule across the page between them.
    Image image = TestSupport::Canvas::plain(400, 120);
    for (int x = 20; x < 300; x += 7) {
        TestSupport::Canvas::fill(image, x, 10, 2, 10, 150);
        TestSupport::Canvas::fill(image, x, 60, 2, 10, 40);
    }
    TestSupport::Canvas::fill(image, 0, 40, 400, 2, 0);
    // The reading found the lower row only.
    const std::vector<OCRLine> lines{line({word("Anna", 20, 60, 40, 10), word("Paul", 100, 60, 40, 10)}),
                                     line({word("Ines", 20, 58, 40, 12), word("Hugo", 100, 59, 40, 11)})};
    const std::vector<std::pair<int, int>> bands = UnreadBands().find(image, lines);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], std::make_pair(10, 20));
    // Light text on a dark bar is the dark bars' reading, not this one.
    Image bar = image;
    TestSupport::Canvas::fill(bar, 0, 6, 400, 18, 40);
    for (int x = 20; x < 300; x += 7)
        TestSupport::Canvas::fill(bar, x, 10, 2, 10, 250);
    EXPECT_TRUE(UnreadBands().find(bar, lines).empty());
    // Nothing read at all: no measure of the text, no band.
    EXPECT_TRUE(UnreadBands().find(image, {}).empty());
}
