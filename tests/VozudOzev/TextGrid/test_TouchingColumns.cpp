#include "VozudOzev/TextGrid/TouchingColumns.hpp"

#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;

namespace {

// Rows of two words one blank apart: the left word ends at `end` (or starts at 10 when
// `end` is 0), the right one starts at `start`.
struct Pair {
    std::string left, right;
    double leftWidth, end, start, rightWidth;
};

std::vector<OCRLine> rows(const std::vector<Pair>& pairs)
{
    std::vector<OCRLine> lines;
    double y = 10;
    for (const Pair& p : pairs) {
        const double x = p.end > 0 ? p.end - p.leftWidth : 10;
        lines.push_back(line({word(p.left, x, y, p.leftWidth, 12), word(p.right, p.start, y, p.rightWidth, 12)}));
        y += 20;
    }
    return lines;
}

}  // namespace

TEST(TouchingColumns, RightAlignedAmountsAgainstLeftAlignedWords)
{
    const struct {
        const char* what;
        std::vector<Pair> pairs;
        size_t edges;
    } cases[] = {
        {"amounts then codes",
         {{"€15.51", "SKU-45593", 44, 327, 331, 75},
          {"€8,453.00", "SKU-16622", 64, 327, 331, 75},
          {"€10.48", "Widget", 44, 327, 331, 50}},
         1},
        {"two rows only", {{"€15.51", "SKU-1", 44, 327, 331, 40}, {"€8,453.00", "SKU-2", 64, 327, 331, 40}}, 0},
        // A date before a time starts and ends together: one cell.
        {"fixed-width first word",
         {{"2024-01-02", "12:30", 80, 0, 94, 40},
          {"2024-03-04", "08:15", 80, 0, 94, 40},
          {"2025-11-30", "23:59", 80, 0, 94, 40}},
         0},
        // The next group of a number, a unit after an amount: the amount's own.
        {"number groups",
         {{"1", "234", 8, 200, 204, 24}, {"12", "345", 16, 200, 204, 24}, {"123", "456", 24, 200, 204, 24}},
         0},
        {"amounts then dates",
         {{"17.40", "02/06/2024", 40, 327, 331, 80},
          {"5,309", "04/16/2023", 40, 327, 331, 80},
          {"811.82", "12/25/2024", 48, 327, 331, 80}},
         1},
        // Amounts a word space from six-digit codes: no group of the number has six digits.
        {"amounts then digit codes",
         {{"306", "086286", 24, 327, 331, 48}, {"7,148", "010847", 40, 327, 331, 48}, {"86,555", "040059", 48, 327, 331, 48}},
         1},
        {"number groups with decimals",
         {{"1", "234,56", 8, 200, 204, 48}, {"12", "345,00", 16, 200, 204, 48}, {"123", "456,10", 24, 200, 204, 48}},
         0},
        {"currency codes",
         {{"239,31", "EUR", 48, 200, 204, 24}, {"2.046,00", "EUR", 64, 200, 204, 24}, {"5,10", "EUR", 32, 200, 204, 24}},
         0},
        {"words before words",
         {{"Paid", "Anna", 32, 200, 204, 32}, {"Open", "Paul", 32, 200, 204, 32}, {"Overdue", "Ines", 56, 200, 204, 32}},
         0},
        {"percent signs",
         {{"1,5", "%", 24, 200, 204, 8}, {"12,25", "%", 40, 200, 204, 8}, {"100", "%", 24, 200, 204, 8}},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<double> edges = TouchingColumns::find(rows(c.pairs), 12);
        ASSERT_EQ(edges.size(), c.edges);
        if (!edges.empty()) {
            EXPECT_NEAR(edges[0], 329, 1);
        }
    }
}

TEST(TouchingColumns, NoEdgeThroughAWord)
{
    std::vector<OCRLine> lines = rows({{"€15.51", "SKU-45593", 44, 327, 331, 75},
                                       {"€8,453.00", "SKU-16622", 64, 327, 331, 75},
                                       {"€10.48", "Widget", 44, 327, 331, 50}});
    lines.push_back(line({word("A-long-description-here", 250, 90, 160, 12)}));
    EXPECT_TRUE(TouchingColumns::find(lines, 12).empty());
}

TEST(TouchingColumns, FixedWidthAmountsPartWhereTheHeaderShowsTheEdge)
{
    // Amounts of one width start together as a date before a time does; the header line
    // over them ends one word where they end and starts the next where the dates start.
    const std::vector<Pair> amounts{{"\u00a5909", "09/16/2024", 32, 340, 344, 76},
                                    {"\u00a5174", "07/29/2024", 32, 340, 344, 76},
                                    {"\u00a5709", "01/08/2025", 32, 340, 344, 76}};
    std::vector<OCRLine> lines = rows(amounts);
    EXPECT_TRUE(TouchingColumns::find(lines, 12).empty());
    lines.push_back(line({word("Cost", 308, 70, 32, 12), word("Due", 344, 70, 28, 12), word("date", 376, 70, 30, 12)}));
    const std::vector<double> edges = TouchingColumns::find(lines, 12);
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_NEAR(edges[0], 342, 1);
    // A header of one column over date-and-time cells ends nowhere near the dates' start.
    lines.back() = line({word("Logged", 308, 70, 44, 12), word("at", 356, 70, 14, 12)});
    EXPECT_TRUE(TouchingColumns::find(lines, 12).empty());
}
