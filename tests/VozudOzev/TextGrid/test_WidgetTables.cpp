#include "VozudOzev/TextGrid/RowHeaderColumn.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "Support/OCRBuilders.hpp"
#include "Support/ScreenFixtures.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
namespace ScreenFixtures = TestSupport::ScreenFixtures;

// Captures of table widgets with the OCR lines their reading gave.
TEST(WidgetTables, CapturedWidgetsKeepTheirColumns)
{
    const struct {
        const char* fixture;
        int rows, cols;
        std::vector<std::pair<std::pair<int, int>, std::string>> cells;  // row, col, text
    } cases[] = {
        // No grid; the only lines are the row header's edge and the frame: the gaps part
        // the columns between them, and the row numbers stay out.
        {"qt-row-header-no-grid", 9, 5,
         {{{0, 0}, "Product"}, {{0, 4}, "Difference"}, {{1, 0}, "Cleaning service"}, {{1, 2}, "136"},
          {{8, 0}, "Steel bolts M6"}, {{8, 4}, "252"}}},
        // Windows style: the row header's bevelled section borders read as dashes beside
        // the group names centred on the rows they span, and "3" as "ec!".
        // (gen_apps.py case qt03 under seed 21403: genreps.py --reps 14 --kinds qt03)
        {"qt-windows-row-header-spans", 9, 4,
         {{{0, 0}, "Nhóm hàng"}, {{1, 0}, "Văn phòng phẩm"}, {{1, 1}, "Phạm Quốc Dũng"}, {{2, 1}, "Lê Minh Châu"},
          {{3, 0}, "Hàng tiêu dùng"}, {{3, 2}, "63"}, {{7, 0}, "Thực phẩm"}, {{8, 3}, "62"}}},
        // No grid, only header sections: the row numbers right-aligned under a "#" at the
        // section's left stay in its column, as does the bold total's label.
        // (gen_apps.py case gtk03 under seed 20503: genreps.py --reps 13 --kinds gtk03)
        {"gtk-number-column-no-grid", 8, 5,
         {{{0, 0}, "#"}, {{1, 0}, "1"}, {{6, 0}, "6"}, {{7, 0}, "Tổng cộng"}, {{1, 1}, "21.413"},
          {{0, 4}, "Ghi chú"}, {{7, 3}, "2.933.000"}}},
        // No grid, the frame's edge the only rule: right-aligned amounts sit a little more
        // than a word space from the statuses after them, and still part from them.
        // (gen_apps.py case qt04 under seed 15404: genreps.py --reps 8 --kinds qt04)
        {"qt-amounts-touching-statuses", 7, 5,
         {{{0, 2}, "Amount"}, {{0, 3}, "Status"}, {{1, 2}, "$6,526.88"}, {{1, 3}, "Pending"},
          {{3, 2}, "$89,240.37"}, {{3, 3}, "Paid"}, {{6, 4}, "$93,814.56"}}},
        // Fusion header: a gradient behind dense bold labels; the shades above and below
        // them differ like an edge, which must not cut the header row in two.
        // (gen_apps.py case qt04 under seed 61404: genreps.py --reps 54 --kinds qt04)
        {"qt-gradient-header", 7, 5,
         {{{0, 0}, "Description"}, {{0, 1}, "Unit price"}, {{1, 0}, "Steel bolts M6"}, {{6, 4}, "169"}}},
        // Windows style: the row header's bevel is glued into its digits' boxes ("5" as "sỈ"
        // reaching over its edge), and two digits in six are misread; it stays out still.
        // (gen_apps.py case qt03 under seed 59403: genreps.py --reps 52 --kinds qt03)
        {"qt-windows-row-header-bevel", 9, 4,
         {{{1, 0}, "Văn phòng phẩm"}, {{1, 1}, "Đèn bàn"}, {{4, 0}, "Hàng tiêu dùng"}, {{7, 0}, "Thực phẩm"},
          {{8, 3}, "36.000 ₫"}}},
        // The first row's number read twice, alone and with its bevel ("1" and "4").
        // (gen_apps.py case qt03 under seed 60403: genreps.py --reps 53 --kinds qt03)
        {"qt-windows-row-header-read-twice", 9, 4,
         {{{0, 0}, "Nhóm hàng"}, {{1, 0}, "Hàng tiêu dùng"}, {{3, 0}, "Văn phòng phẩm"}, {{3, 3}, "41"},
          {{5, 0}, "Thực phẩm"}, {{8, 3}, "73"}}},
        // Header sections only: two-word labels whose word space falls on the body's gap
        // ("Địa điểm" over names that run across it, "Ghi chú" over a nearly empty column).
        // (gen_apps.py case gtk03 under seed 68503: genreps.py --reps 61 --kinds gtk03)
        {"gtk-two-word-headers", 8, 5,
         {{{0, 1}, "Địa điểm"}, {{0, 2}, "Ghi chú"}, {{1, 1}, "Bình Dương"}, {{2, 2}, "Đổi trả"}, {{4, 1}, "Buôn Ma Thuột"},
          {{7, 4}, "16.771.295"}}},
        // Header sections only: the euro signs of two short amounts stand a little farther
        // off; under the one label over both they stay in the amounts' cells.
        // (gen_apps.py case gtk02 under seed 10502: genreps.py --reps 3 --kinds gtk02)
        {"gtk-currency-apart-in-section", 7, 4,
         {{{0, 2}, "Revenue"}, {{3, 2}, "3,06 €"}, {{4, 2}, "10,17 €"}, {{1, 2}, "13,91 €"}, {{6, 3}, "Pending"}}},
        // The last row's number read as "D", the first with its border ("1|"): the row
        // header still goes.
        // (gen_apps.py case qt03 under seed 69403: genreps.py --reps 62 --kinds qt03)
        {"qt-windows-row-header-last-misread", 9, 4,
         {{{0, 0}, "Nhóm hàng"}, {{1, 0}, "Văn phòng phẩm"}, {{5, 0}, "Thực phẩm"}, {{8, 1}, "Tân Bình"}, {{8, 3}, "4%"}}},
        // Web page: the sortable columns' grey triangle pairs read as "©" beside the labels,
        // under a title that is the top row.
        // (gen_apps.py case web01 under seed 60701: genreps.py --reps 53 --kinds web01)
        {"web-sort-triangles-under-title", 9, 5,
         {{{0, 0}, "SKU"}, {{0, 1}, "Name"}, {{0, 4}, "Status"}, {{1, 0}, "VN8883"}, {{8, 4}, "Overdue"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const Image image = ScreenFixtures::image(c.fixture);
        std::vector<std::string> notes;
        const std::optional<Table> t = ScreenTableRecognizer::build(ScreenFixtures::lines(c.fixture), image, notes);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->rows, c.rows);
        EXPECT_EQ(t->cols, c.cols);
        const auto grid = t->grid();
        for (const auto& [at, text] : c.cells)
            EXPECT_EQ(grid.at(static_cast<size_t>(at.first)).at(static_cast<size_t>(at.second)), text)
                << "row " << at.first << " col " << at.second;
    }
}

// The row header goes only under an empty corner and when its words count the rows.
TEST(WidgetTables, RowHeaderOutOnlyWhenItCountsTheRows)
{
    using namespace TestSupport::OCRBuilders;
    auto table = [](std::vector<std::string> first) {
        std::vector<OCRLine> lines;
        for (size_t r = 0; r < first.size(); ++r) {
            const double y = 10 + 20.0 * static_cast<double>(r);
            std::vector<OCRWord> words;
            if (!first[r].empty())
                words.push_back(word(first[r], 4, y, 8, 10));
            words.push_back(word(r == 0 ? "Name" : "Anna", 40, y, 30, 10));
            lines.push_back(line(words));
        }
        return lines;
    };
    const std::vector<double> vertical{2, 30, 120};
    const std::vector<double> horizontal{5, 28, 48, 68, 88, 108, 128};
    const struct {
        std::vector<std::string> first;
        int removed;
    } cases[] = {
        {{"", "1", "—", "2", "ec!", "4"}, 5},  // a border as a dash, one digit misread
        {{"", "1", "2", "(2)", "4"}, 4},       // a misread that does not rise
        {{"#", "1", "2", "3", "4"}, 0},        // a numbered column has a header
        {{"", "7", "3", "9", "1"}, 0},         // numbers in no order are data
        {{"", "1", "ab", "3", "xy", "5"}, 0},  // too many misread
        {{"", "STT", "1", "2", "3", "4"}, 0},  // a second header row's label
        {{"", "1", "2", "3", "4", "Sum"}, 0},  // a total's label
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.first));
        std::vector<OCRLine> lines = table(c.first);
        EXPECT_EQ(RowHeaderColumn::remove(lines, vertical, horizontal, 10), c.removed);
    }
    // Two in six misread between rising numbers: a bevelled header's small digits.
    std::vector<OCRLine> bevelled = table({"", "1", "2", "B", "4", "Fl", "6"});
    EXPECT_EQ(RowHeaderColumn::remove(bevelled, vertical, {5, 28, 48, 68, 88, 108, 128, 148}, 10), 6);
    // The header row above the first separator (the edge of its bar) still has its "#".
    std::vector<OCRLine> numbered = table({"#", "1", "2", "3", "4"});
    EXPECT_EQ(RowHeaderColumn::remove(numbered, vertical, {28, 48, 68, 88, 108}, 10), 0);

    // A two-row header: the label of the numbered column stands between the header rows,
    // in neither; a sign there is a label, as a glyph even when read as another mark, while
    // a border read as a dash is flat.
    const struct {
        OCRWord corner;
        int removed;
    } corners[] = {
        {word("#", 4, 20, 8, 10), 0},
        {word("=", 4, 21, 8, 9), 0},
        {word("\u2014", 4, 24, 8, 2), 5},  // the dash goes with the numbers
    };
    for (const auto& c : corners) {
        SCOPED_TRACE(c.corner.text);
        std::vector<OCRLine> twoRows{line({word("2024", 40, 10, 30, 10)}), line({c.corner}),
                                     line({word("Preis", 40, 30, 30, 10)})};
        for (int r = 1; r <= 4; ++r) {
            const double y = 30 + 20.0 * r;
            twoRows.push_back(line({word(std::to_string(r), 4, y, 8, 10), word("Anna", 40, y, 30, 10)}));
        }
        EXPECT_EQ(RowHeaderColumn::remove(twoRows, vertical, {5, 45, 68, 88, 108, 128}, 10), c.removed);
    }
}
