#include "VozudOzev/TextGrid/AttachedColumns.hpp"
#include "VozudOzev/TextGrid/BorderText.hpp"
#include "VozudOzev/TextGrid/ColumnPlacement.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"
#include "Support/ScreenFixtures.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
namespace ScreenFixtures = TestSupport::ScreenFixtures;
using Band = ColumnPlacement::Band;
using Span = ColumnPlacement::Span;

TEST(ColumnPlacement, PhrasesGoToTheColumnsWhoseTextTheyStandOver)
{
    // Two columns of text: 0..100 and 150..200 (right-aligned numbers), bands parted at 125.
    const std::vector<std::optional<Band>> text{Band{0, 100}, Band{150, 200}};
    const struct {
        BBox box;
        Span span, expected;
    } cases[] = {
        {{110, 0, 90, 10}, {0, 1}, {1, 1}},  // a header wider than its numbers, reaching into the gap
        {{0, 0, 112, 10}, {0, 1}, {0, 0}},   // a long text running past its column's usual text
        {{10, 0, 180, 10}, {0, 1}, {0, 1}},  // a title over both
        {{102, 0, 46, 10}, {0, 1}, {0, 1}},  // over no text at all: as the bands say
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColumnPlacement::narrowed(c.box, c.span, text), c.expected) << c.box.x << "+" << c.box.w;
}

// A word in a gap, or over two columns without half the text of either, goes with the
// phrase one blank beside it.
TEST(ColumnPlacement, WordsInAGapStayWithTheirPhrase)
{
    const std::vector<std::optional<Band>> text{Band{0, 60}, Band{200, 260}};
    // "Lượt" in the gap, one space before "truy" over the second column; "x" two spaces off.
    const std::vector<BBox> boxes{{0, 0, 40, 10}, {120, 0, 40, 10}, {170, 0, 40, 10}, {215, 0, 40, 10}};
    std::vector<Span> spans{{0, 0}, {0, 0}, {1, 1}, {1, 1}};
    EXPECT_EQ(ColumnPlacement::attachStrays(boxes, spans, text, 14), 1);
    EXPECT_EQ(spans, (std::vector<Span>{{0, 0}, {1, 1}, {1, 1}, {1, 1}}));

    // "Revenue" over the gap and a little of the amounts, one space before "(₫)" over them.
    std::vector<Span> header{{0, 0}, {0, 1}, {1, 1}};
    EXPECT_EQ(ColumnPlacement::attachStrays({{0, 0, 40, 10}, {120, 0, 100, 10}, {230, 0, 30, 10}}, header, text, 14), 1);
    EXPECT_EQ(header, (std::vector<Span>{{0, 0}, {1, 1}, {1, 1}}));

    std::vector<Span> far{{0, 0}, {0, 0}};
    EXPECT_EQ(ColumnPlacement::attachStrays({{0, 0, 40, 10}, {100, 0, 40, 10}}, far, text, 14), 0);
    EXPECT_EQ(far, (std::vector<Span>{{0, 0}, {0, 0}}));
}

namespace {

Table gridTable(const std::vector<std::vector<std::string>>& grid, const std::vector<double>& xs)
{
    // Each text 10 px per byte from its column's x.
    Table t;
    t.rows = static_cast<int>(grid.size());
    t.cols = static_cast<int>(xs.size());
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            const std::string& s = grid[static_cast<size_t>(r)][static_cast<size_t>(c)];
            if (!s.empty())
                t.cells.push_back({r, c, 1, 1, s, 0.9, BBox{xs[static_cast<size_t>(c)], 20.0 * r,
                                                              10.0 * static_cast<double>(s.size()), 12}});
        }
    return t;
}

}  // namespace

TEST(AttachedColumns, TrailingArgumentsAndUnitSignsJoinTheirColumnDataStays)
{
    const struct {
        const char* what;
        std::vector<std::vector<std::string>> grid;
        std::vector<double> xs;
        std::vector<std::vector<std::string>> expected;
    } cases[] = {
        {"arguments under no header",
         {{"PID", "CMD", ""}, {"1", "init", ""}, {"7", "sshd", "-D"}},
         {0, 40, 92},
         {{"PID", "CMD"}, {"1", "init"}, {"7", "sshd -D"}}},
        {"one same letter under a header of its own",
         {{"Name", "Total", "Due"}, {"Tea", "12.000", "x"}, {"Rice", "34.000", "x"}},
         {0, 60, 132},
         {{"Name", "Total", "Due"}, {"Tea", "12.000", "x"}, {"Rice", "34.000", "x"}}},
        {"the same owner in every row of a listing",
         {{"-rw-r--r--", "bob", "bob"}, {"drwxr-xr-x", "bob", "bob"}},
         {0, 110, 150},
         {{"-rw-r--r--", "bob", "bob"}, {"drwxr-xr-x", "bob", "bob"}}},
        {"a dash for nothing ends where the signs after the amounts end",
         {{"Name", "Amount", ""}, {"Tea", "12.000", "₫"}, {"Rice", "", "—"}, {"Corn", "19.000", "₫"}},
         {0, 60, 132},
         {{"Name", "Amount"}, {"Tea", "12.000 ₫"}, {"Rice", "—"}, {"Corn", "19.000 ₫"}}},
        {"a word beside an empty cell ending elsewhere is a column's",
         {{"PID", "CMD", ""}, {"1", "init", "-D"}, {"7", "", "-f -x"}},
         {0, 40, 92},
         {{"PID", "CMD", ""}, {"1", "init", "-D"}, {"7", "", "-f -x"}}},
        {"a wide gap is a column",
         {{"PID", "CMD", ""}, {"1", "init", ""}, {"7", "sshd", "-D"}},
         {0, 40, 120},
         {{"PID", "CMD", ""}, {"1", "init", ""}, {"7", "sshd", "-D"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Table t = gridTable(c.grid, c.xs);
        AttachedColumns::join(t, 15);
        EXPECT_EQ(t.grid(), c.expected);
    }
    // A currency sign after every amount, under the amounts' header.
    Table money = gridTable({{"Name", "Amount", "₫"}, {"Tea", "12.000", "₫"}, {"Rice", "9.000", "₫"}}, {0, 60, 132});
    money.cells.back().bbox->x = 112;  // "9.000" is shorter: its sign follows it closer
    EXPECT_EQ(AttachedColumns::join(money, 15), 1);
    EXPECT_EQ(money.grid(), (std::vector<std::vector<std::string>>{{"Name", "Amount ₫"}, {"Tea", "12.000 ₫"}, {"Rice", "9.000 ₫"}}));
}

// Cells each one blank after the word before them that line up neither on the left nor on
// the right are that word's second word; header-less amounts whose units all end under the
// units' header are one column with them. Aligned or far cells stay columns.
TEST(AttachedColumns, SecondWordsAndUnitsUnderTheirHeaderJoin)
{
    struct Placed {
        int row, col;
        std::string text;
        double x, w;
    };
    auto tableOf = [](int cols, const std::vector<Placed>& cells) {
        Table t;
        t.cols = cols;
        for (const Placed& p : cells) {
            t.rows = std::max(t.rows, p.row + 1);
            t.cells.push_back({p.row, p.col, 1, 1, p.text, 0.9, BBox{p.x, 20.0 * p.row, p.w, 12}});
        }
        return t;
    };
    using Grid = std::vector<std::vector<std::string>>;
    const struct {
        const char* what;
        int cols;
        std::vector<Placed> cells;
        Grid expected;
    } cases[] = {
        {"second words, the header's blank elsewhere", 3,
         {{0, 0, "Date", 0, 40}, {0, 1, "Tình", 60, 40}, {0, 2, "trạng", 110, 50},
          {1, 0, "1/2", 0, 30}, {1, 1, "Đã", 60, 20}, {1, 2, "giao", 90, 40},
          {2, 0, "3/4", 0, 30}, {2, 1, "Đã", 60, 20}, {2, 2, "hủy", 90, 30}},
         {{"Date", "Tình trạng"}, {"1/2", "Đã giao"}, {"3/4", "Đã hủy"}}},
        {"a left-aligned column one blank after values of one width", 3,
         {{0, 0, "Id", 0, 20}, {0, 1, "Code", 60, 40}, {0, 2, "Status", 110, 60},
          {1, 0, "1", 0, 10}, {1, 1, "AB-1", 60, 40}, {1, 2, "Paid", 110, 40}},
         {{"Id", "Code", "Status"}, {"1", "AB-1", "Paid"}}},
        {"amounts without a header, their units under it", 3,
         {{0, 0, "Name", 0, 40}, {0, 2, "Price", 90, 50},
          {1, 0, "Tea", 0, 30}, {1, 1, "12.000", 60, 60}, {1, 2, "₫", 130, 10},
          {2, 0, "Rice", 0, 40}, {2, 2, "—", 130, 10},
          {3, 0, "Corn", 0, 40}, {3, 1, "9.000", 70, 50}, {3, 2, "₫", 130, 10}},
         {{"Name", "Price"}, {"Tea", "12.000 ₫"}, {"Rice", "—"}, {"Corn", "9.000 ₫"}}},
        {"a header that does not end with the units", 3,
         {{0, 0, "Name", 0, 40}, {0, 2, "Price", 120, 50},
          {1, 0, "Tea", 0, 30}, {1, 1, "12.000", 60, 60}, {1, 2, "₫", 130, 10}},
         {{"Name", "", "Price"}, {"Tea", "12.000", "₫"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Table t = tableOf(c.cols, c.cells);
        AttachedColumns::join(t, 15);
        EXPECT_EQ(t.grid(), c.expected);
    }
}

// Real OCR lines of terminal listings and box tables, and of web pages whose headers stand
// over gaps or carry sort arrows.
TEST(ScreenTableRecognizer, ColumnsRulesAndHeadersOfRealCaptures)
{
    const struct {
        const char* fixture;
        int width, height, rows, cols;
        std::vector<std::pair<std::pair<int, int>, std::string>> cells;
    } cases[] = {
        {"terminal-ps", 743, 169, 10, 11, {{{0, 10}, "COMMAND"}, {{9, 10}, "/usr/sbin/rsyslogd -n"}}},
        // The reading parted "0.3", "6:51" and "java" at the side room of narrow glyphs.
        {"terminal-ps-narrow-glyphs", 743, 169, 10, 11, {{{1, 2}, "0.3"}, {{1, 9}, "6:51"}, {{7, 10}, "java -jar app.jar"}}},
        {"terminal-report-header-gaps", 963, 274, 7, 4, {{{0, 1}, "Họ tên"}, {{0, 2}, "Lượt truy cập"}}},
        {"terminal-report-currency", 908, 259, 7, 4, {{{1, 2}, "19.007.000 ₫"}, {{1, 3}, "(116,23)"}}},
        {"terminal-ls", 790, 185, 8, 8, {{{0, 1}, "1"}, {{0, 2}, "jmueller"}, {{0, 3}, "jmueller"}}},
        // The caption above stays out even without its rules: the header is the first row.
        {"web-header-over-gap", 1019, 642, 0, 5, {{{0, 2}, "Bestellungen"}, {{1, 2}, "1.223"}}},
        // "+-----+" rules read as stretched letters ("eee", "tenner", "te ee") in pieces.
        {"terminal-box-rules-as-letters", 651, 200, 8, 5, {{{0, 0}, "Bezeichnung"}, {{0, 4}, "Gesamtpreis"}, {{1, 0}, "Whiteboard-Marker"}}},
        // A caret taller than the text read as "_" before a cell's text.
        {"web-tall-dash", 583, 369, 9, 5, {{{0, 1}, "Description"}, {{5, 1}, "Maintenance fee"}}},
        // Sort arrows read as signs beside the header words.
        {"web-sort-icons-misread", 443, 345, 0, 5, {{{0, 1}, "Customer"}, {{0, 2}, "Ref."}, {{0, 3}, "Cost"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        std::vector<std::string> notes;
        const std::optional<Table> t =
            ScreenTableRecognizer::build(ScreenFixtures::lines(c.fixture), TestSupport::Canvas::plain(c.width, c.height), notes);
        ASSERT_TRUE(t);
        if (c.rows > 0) {
            EXPECT_EQ(t->rows, c.rows);
        }
        EXPECT_EQ(t->cols, c.cols);
        const auto grid = t->grid();
        for (const auto& [at, text] : c.cells) {
            ASSERT_LT(static_cast<size_t>(at.first), grid.size());
            ASSERT_LT(static_cast<size_t>(at.second), grid[static_cast<size_t>(at.first)].size());
            EXPECT_EQ(grid[static_cast<size_t>(at.first)][static_cast<size_t>(at.second)], text)
                << "row " << at.first << " col " << at.second;
        }
    }
}

TEST(BorderText, RulesReadAsLettersAreRulesSpecksOfFaintTextAreNot)
{
    using TestSupport::OCRBuilders::line;
    using TestSupport::OCRBuilders::word;
    std::vector<OCRLine> lines{
        line({word("eee", 10, 0, 600, 8)}),                           // a whole rule
        line({word("Name", 20, 14, 40, 14), word("Qty", 200, 14, 30, 14)}),
        line({word("tenner", 10, 34, 130, 8)}),                       // a rule in pieces
        line({word("te", 190, 34, 18, 8), word("ee", 212, 38, 30, 2)}),
        line({word("Tea", 20, 50, 30, 14), word("3", 200, 50, 10, 14)}),
        line({word("1m", 20, 70, 15, 2), word("ss.", 60, 70, 13, 3)}),  // specks, not a rule
        line({word("Rice", 20, 80, 40, 14), word("12", 200, 80, 20, 14)}),
        line({word("e", 10, 100, 600, 8)}),  // one letter over a whole rule
    };
    const BorderText b = BorderText::strip(lines);
    EXPECT_EQ(b.horizontal.size(), 4u);
    ASSERT_EQ(b.lines.size(), 4u);
    EXPECT_EQ(b.lines[2].text, "1m ss.");
}
