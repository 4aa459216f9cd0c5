#include "VozudOzev/TextGrid/BackgroundBands.hpp"
#include "VozudOzev/TextGrid/BorderText.hpp"
#include "VozudOzev/TextGrid/ScreenChrome.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"
#include "Support/ScreenFixtures.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
namespace ScreenFixtures = TestSupport::ScreenFixtures;
using namespace TestSupport::OCRBuilders;
using TestSupport::Canvas::plain;

namespace {

// One terminal line: each text one word, 8 px per byte, at the given x.
OCRLine termLine(const std::vector<std::string>& words, const std::vector<double>& xs, double y)
{
    std::vector<OCRWord> ws;
    for (size_t i = 0; i < words.size(); ++i)
        ws.push_back(word(words[i], xs[i], y, 8.0 * static_cast<double>(words[i].size()), 12));
    return line(ws);
}

}  // namespace

TEST(BorderText, BarsAndRuleLinesNeverReachTheText)
{
    const BorderText b = BorderText::strip({
        termLine({"+------+-----+"}, {10}, 0),
        termLine({"|", "Code", "|", "Qty|"}, {10, 26, 66, 82}, 20),
        termLine({"|INV-7|", "-", "|"}, {10, 82, 122}, 40),
        termLine({"SR", "———.-.-...-:"}, {10, 40}, 60),
    });
    ASSERT_EQ(b.lines.size(), 2u);
    EXPECT_EQ(b.lines[0].text, "Code Qty");
    EXPECT_EQ(b.lines[1].text, "INV-7 -");  // a lone dash is a cell's text
    EXPECT_EQ(b.horizontal.size(), 2u);
    EXPECT_EQ(b.vertical.size(), 6u);
}

TEST(ScreenChrome, LettersAndRowNumbersOutTableColumnsKept)
{
    EXPECT_TRUE(ScreenChrome::columnLetters({"", "A", "B", "", "D"}));
    EXPECT_FALSE(ScreenChrome::columnLetters({"A", "C"}));
    EXPECT_FALSE(ScreenChrome::columnLetters({"Name", "Qty"}));
    // Small header letters misread: one in lower case, one lost among three good ones.
    EXPECT_TRUE(ScreenChrome::columnLetters({"A", "B", "c", "D"}));
    EXPECT_TRUE(ScreenChrome::columnLetters({"A", "|", "C", "D"}));
    EXPECT_FALSE(ScreenChrome::columnLetters({"A", "|", "C"}));
    // "C" read as "Cc" names column CC by itself; a header of short words is no letter bar.
    EXPECT_TRUE(ScreenChrome::columnLetters({"A", "B", "Cc", "D", "E"}));
    EXPECT_FALSE(ScreenChrome::columnLetters({"ID", "Qty", "Tax"}));
    EXPECT_FALSE(ScreenChrome::columnLetters({"A", "B", "Name"}));
    // Abbreviated headers of a two-column table: their letters happen to follow each other.
    EXPECT_FALSE(ScreenChrome::columnLetters({"No.", "P/L"}));
    EXPECT_TRUE(ScreenChrome::rowNumbers({"", "1", "2", "3"}));
    EXPECT_FALSE(ScreenChrome::rowNumbers({"1", "2", "4"}));
    // Row numbers misread by the grid beside them; a header text is never one.
    EXPECT_TRUE(ScreenChrome::rowNumbers({"", "TỈ", "2", "3", "4", "5", "6", "7 —", "8"}));
    EXPECT_FALSE(ScreenChrome::rowNumbers({"", "TỈ", "2", "x", "4", "5"}));
    EXPECT_FALSE(ScreenChrome::rowNumbers({"No.", "1", "2", "3", "4"}));
    EXPECT_FALSE(ScreenChrome::rowNumbers({"", "TT", "1", "2", "3", "4"}));
    // The first number doubled with a stroke counts only where the numbers under it go on from it.
    EXPECT_TRUE(ScreenChrome::rowNumbers({"l1", "2", "3", "4"}));
    EXPECT_TRUE(ScreenChrome::rowNumbers({"4|", "5", "6"}));
    EXPECT_FALSE(ScreenChrome::rowNumbers({"l1", "1", "2", "3"}));
    EXPECT_FALSE(ScreenChrome::rowNumbers({"Id", "1", "2", "3"}));

    auto table = [](std::vector<std::vector<std::string>> grid) {
        Table t;
        t.rows = static_cast<int>(grid.size());
        t.cols = static_cast<int>(grid[0].size());
        for (int r = 0; r < t.rows; ++r)
            for (int c = 0; c < t.cols; ++c)
                if (!grid[r][c].empty())
                    t.cells.push_back({r, c, 1, 1, grid[r][c]});
        return t;
    };
    std::vector<std::string> notes;
    Table sheet = table({{"A", "B"}, {"1", "Name"}, {"2", "Anna"}, {"3", "Paul"}});
    ScreenChrome::remove(sheet, notes);
    // The letters go first, then the numbers beside the rows.
    EXPECT_EQ(sheet.grid(), (std::vector<std::vector<std::string>>{{"Name"}, {"Anna"}, {"Paul"}}));

    Table numbered = table({{"#", "Name v"}, {"1", "Anna"}, {"2", "Paul"}});
    ScreenChrome::remove(numbered, notes);
    EXPECT_EQ(numbered.grid(), (std::vector<std::vector<std::string>>{{"#", "Name v"}, {"1", "Anna"}, {"2", "Paul"}}));

    // Lines numbered from the top with no letter bar above: a table without a header row.
    Table headless = table({{"1", "Toner"}, {"2", "Paper"}, {"3", "Stand"}});
    Table framed = headless;
    ScreenChrome::remove(headless, notes);
    EXPECT_EQ(headless.cols, 2);
    // Drawn as a sheet's row-number column, the same numbers are chrome.
    ScreenChrome::remove(framed, notes, true);
    EXPECT_EQ(framed.cols, 1);

    // Under the corner before column "A" stand the row numbers, however misread.
    Table cornered = table({{"", "A", "B"}, {"1", "Line", "Name"}, {"L7]", "1", "Sam"}, {"Bi", "2", "Oscar"}, {"fs", "3", "Liam"}});
    ScreenChrome::remove(cornered, notes);
    EXPECT_EQ(cornered.grid(), (std::vector<std::vector<std::string>>{
                                   {"Line", "Name"}, {"1", "Sam"}, {"2", "Oscar"}, {"3", "Liam"}}));
    // Letters from "C" on: the empty first place may be column "B" unread, no corner.
    Table scrolled = table({{"", "C", "D"}, {"Id", "Line", "Name"}, {"x7", "1", "Sam"}, {"k2", "2", "Oscar"}});
    ScreenChrome::remove(scrolled, notes);
    EXPECT_EQ(scrolled.cols, 3);
    EXPECT_EQ(ScreenChrome::letterOffset({"", "A", "B"}), 0);
    EXPECT_EQ(ScreenChrome::letterOffset({"C", "D"}), 3);
    EXPECT_EQ(ScreenChrome::letterOffset({"Name", "Qty"}), std::nullopt);

    Table sorted = table({{"No.~", "Name"}, {"1", "Anna"}, {"2", "Paul"}});
    ScreenChrome::remove(sorted, notes);
    EXPECT_EQ(sorted.grid()[0][0], "No.");
}

TEST(ScreenTableRecognizer, TerminalBoxTable)
{
    // psql-style: bars between columns, a rule line under the header.
    const std::vector<OCRLine> lines{
        termLine({"Code", "|", "Name", "|", "Total"}, {10, 60, 76, 180, 196}, 10),
        termLine({"-----+-------------+------"}, {10}, 30),
        termLine({"A-1", "|", "Anna", "Berg", "|", "12,00"}, {10, 60, 76, 116, 180, 196}, 50),
        termLine({"B-22", "|", "Paul", "|", "7,50"}, {10, 60, 76, 180, 204}, 70),
    };
    std::vector<std::string> notes;
    const std::optional<Table> t = ScreenTableRecognizer::build(lines, plain(300, 100), notes);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->grid(), (std::vector<std::vector<std::string>>{
                             {"Code", "Name", "Total"}, {"A-1", "Anna Berg", "12,00"}, {"B-22", "Paul", "7,50"}}));
    EXPECT_FALSE(notes.empty());
}

TEST(ScreenTableRecognizer, BadInputGivesNoTableAndANote)
{
    std::vector<std::string> notes;
    EXPECT_FALSE(ScreenTableRecognizer::build({}, plain(10, 1), notes));
    EXPECT_FALSE(ScreenTableRecognizer::build({termLine({"+----+----+"}, {0}, 0)}, plain(100, 20), notes));
    EXPECT_FALSE(ScreenTableRecognizer::build({termLine({"just", "some", "words"}, {0, 40, 80}, 0)}, Image(), notes));
    EXPECT_FALSE(notes.empty());
}

namespace {

struct Stripe {
    int y, h;
    std::uint8_t grey;
};

Image striped(int w, int h, int x0, int x1, const std::vector<Stripe>& stripes)
{
    Image image = plain(w, h);
    for (const Stripe& s : stripes)
        TestSupport::Canvas::fill(image, x0, s.y, x1 - x0, s.h, s.grey);
    return image;
}

}  // namespace

// Real OCR lines of captures over their backgrounds and rules redrawn.
TEST(ScreenTableRecognizer, CaptionsNotesIconsAndTotalRowsOfRealPages)
{
    std::vector<Stripe> webRules{{82, 68, 250}, {150, 4, 230}};
    for (int y : {222, 292, 362, 432, 502, 572, 644})
        webRules.push_back({y, 2, 230});
    std::vector<Stripe> germanRules{{130, 4, 231}, {480, 4, 231}};
    for (int y : {190, 248, 306, 364, 422, 540})
        germanRules.push_back({y, 2, 231});
    std::vector<Stripe> sortRules{{31, 27, 246}, {58, 2, 222}};
    for (int y = 87; y <= 283; y += 28)
        sortRules.push_back({y, 1, 222});
    const struct {
        const char* fixture;
        Image image;
        int rows, cols;
        std::vector<std::pair<std::pair<int, int>, std::string>> cells;  // row, col, text; row -1 is the last
    } cases[] = {
        // A caption above and three footnotes under the rules; links under the first column.
        {"web-caption-notes",
         striped(1158, 776, 18, 1128, webRules),
         8,
         5,
         {{{0, 0}, "Beleg"}, {{1, 0}, "SKU-90298"}, {{1, 1}, "Schreibtischlampe"}, {{-1, 0}, "Summe"}}},
        // Sort icons beside the header words; a caption above.
        {"web-sort-icons",
         striped(550, 304, 18, 532, sortRules),
         9,
         5,
         {{{0, 1}, "Difference"}, {{0, 3}, "SKU"}, {{0, 4}, "Unit price"}, {{1, 0}, "Carla Diaz"}}},
        // No rule above the header, and right-aligned row numbers start further in than the
        // caption and the notes do: the header's edge is the table's.
        {"web-caption-over-row-numbers",
         striped(865, 650, 24, 840, germanRules),
         8,
         5,
         {{{0, 1}, "Artikel"}, {{0, 4}, "Menge"}, {{6, 1}, "Reinigung"}, {{-1, 2}, "228"}}},
        // The total row under the last stripe is a row of its own.
        {"zebra-total-row",
         striped(633, 332, 12, 612, {{85, 34, 242}, {153, 34, 242}, {221, 34, 242}}),
         8,
         5,
         {{{-1, 0}, "Sum"}, {{6, 0}, "INV-2025-4308"}, {{6, 1}, "Flour"}}},
        // Tabular digits in a proportional font: the phrases stay whole.
        {"proportional-digits", plain(1126, 362), 5, 5, {{{3, 1}, "Coffee beans 1 kg"}, {{1, 2}, "Units sold"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        std::vector<std::string> notes;
        const std::optional<Table> t = ScreenTableRecognizer::build(ScreenFixtures::lines(c.fixture), c.image, notes);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->rows, c.rows);
        EXPECT_EQ(t->cols, c.cols);
        const auto grid = t->grid();
        for (const auto& [at, text] : c.cells) {
            const size_t r = at.first < 0 ? grid.size() - 1 : static_cast<size_t>(at.first);
            ASSERT_LT(r, grid.size());
            ASSERT_LT(static_cast<size_t>(at.second), grid[r].size());
            EXPECT_EQ(grid[r][static_cast<size_t>(at.second)], text) << "row " << r << " col " << at.second;
        }
    }
}

// Real captures with their OCR lines: the image's own lines decide the columns.
TEST(ScreenTableRecognizer, SpreadsheetChromeOfRealCaptures)
{
    const struct {
        const char* fixture;
        int rows, cols;
        std::vector<std::pair<std::pair<int, int>, std::string>> cells;
    } cases[] = {
        // The row numbers' grey column ends in a dark line that the header text touches;
        // the column letters come back with a lower-case "c".
        {"sheet-row-numbers", 3, 5, {{{0, 0}, "Item"}, {{1, 0}, "Greentea"}, {{2, 0}, "Printer paper A4"}, {{0, 4}, "Invoice date"}}},
        // No grid: right-aligned numbers one blank before left-aligned names, and white
        // header text on a blue bar whose broken fill looks like ruling lines between letters.
        // Zoomed out, rows sit close: "1" after "1" and the strokes of right-aligned digits
        // stack with the grid between the rows into what looks like column lines.
        {"sheet-zoomed-out", 8, 4, {{{0, 0}, "Shipped"}, {{0, 3}, "Qty"}, {{2, 1}, "HDMI adapter"}, {{6, 3}, "232"}}},
        // No grid: the line numbers right-aligned one blank before the cities; the sections
        // of the column-letter bar show where each column ends.
        {"sheet-no-grid", 10, 5, {{{0, 0}, "Line"}, {{1, 0}, "1"}, {{1, 1}, "Tucson"}, {{4, 1}, "New York"}, {{9, 4}, "51"}}},
        {"sheet-touching-columns", 5, 6, {{{0, 0}, "No."}, {{0, 1}, "City"}, {{0, 2}, "Visitors"}, {{1, 0}, "1"}, {{1, 1}, "Miami"}, {{4, 1}, "Cleveland"}, {{3, 0}, "10"}}},
        // Grey, bordered row-number sections (the X11 look, zoomed in) read as marks; they
        // stand under the letter bar's corner. The column "Line" numbers rows of its own.
        // Captured from Calc, the first 190 pixel rows; lines from
        // `vozudozev-extract --engine document --ocr-lines`.
        {"sheet-row-numbers-misread", 4, 4, {{{0, 0}, "Line"}, {{1, 0}, "1"}, {{1, 1}, "Sam Turner"}, {{3, 3}, "2023-09-21"}}},
        // No grid: amounts of one width ("¥909") one blank before left-aligned dates; the
        // header "Cost Due date" shows the same edge. The first 120 pixel rows of a capture.
        {"sheet-fixed-width-amounts", 5, 6, {{{0, 2}, "Cost"}, {{0, 3}, "Due date"}, {{1, 3}, "09/16/2024"}, {{4, 3}, "04/09/2024"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const Image image =
            ScreenFixtures::image(c.fixture);
        std::vector<std::string> notes;
        const std::optional<Table> t = ScreenTableRecognizer::build(ScreenFixtures::lines(c.fixture), image, notes);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->rows, c.rows);
        EXPECT_EQ(t->cols, c.cols);
        const auto grid = t->grid();
        for (const auto& [at, text] : c.cells)
            EXPECT_EQ(grid.at(static_cast<size_t>(at.first)).at(static_cast<size_t>(at.second)), text);
    }
}

TEST(ScreenTableRecognizer, TitleAboveTheGridStaysOut)
{
    // A title over a 4-column grid, its words a word space apart; the vertical line at x 150
    // cuts it when the grid is ruled.
    const std::vector<std::vector<std::string>> grid{
        {"Region", "Q1", "Q2", "Q3"}, {"North", "120", "135", "150"}, {"South", "98", "102", "110"}, {"East", "77", "81", "95"}};
    auto linesWith = [&](const OCRLine& first) {
        std::vector<OCRLine> lines{first};
        for (size_t r = 0; r < grid.size(); ++r) {
            std::vector<OCRWord> ws;
            for (size_t c = 0; c < grid[r].size(); ++c)
                ws.push_back(word(grid[r][c], 48 + 110.0 * static_cast<double>(c), 80 + 36.0 * static_cast<double>(r),
                                  9.0 * static_cast<double>(grid[r][c].size()), 15));
            lines.push_back(line(ws));
        }
        return lines;
    };
    const OCRLine title = line({word("Quarterly", 40, 24, 106, 19), word("sales", 156, 24, 47, 19),
                                word("by", 209, 24, 22, 19), word("region", 237, 24, 64, 19)});
    Image ruled = plain(520, 240);
    for (int y = 70; y <= 214; y += 36)
        TestSupport::Canvas::fill(ruled, 40, y, 441, 1);
    for (int x = 40; x <= 480; x += 110)
        TestSupport::Canvas::fill(ruled, x, 70, 1, 145);
    const struct {
        const char* name;
        OCRLine first;
        Image image;
        std::string firstCell;
        int rows;
    } cases[] = {
        {"plain", title, plain(520, 240), "Region", 4},
        {"ruled", title, ruled, "Region", 4},
        // A short label over the first column is a row of the table.
        {"label over the first column", line({word("Area", 48, 44, 36, 15)}), plain(520, 240), "Area", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> notes;
        const std::optional<Table> t = ScreenTableRecognizer::build(linesWith(c.first), c.image, notes);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->rows, c.rows);
        EXPECT_EQ(t->cols, 4);
        EXPECT_EQ(t->grid()[0][0], c.firstCell);
        EXPECT_EQ(t->grid().back(), grid.back());
    }
}

TEST(ScreenTableRecognizer, HeaderSectionLinesPartColumnsThatTouch)
{
    // A number column right-aligned against a text column: one phrase by their gaps alone,
    // parted by the line between the header sections above them.
    Image image = plain(300, 100);
    TestSupport::Canvas::fill(image, 153, 2, 1, 26, 200);
    const std::vector<OCRLine> lines{
        line({word("City", 10, 10, 30, 12), word("People", 110, 10, 40, 12), word("Amount", 156, 10, 56, 12)}),
        line({word("Hue", 10, 40, 30, 12), word("392", 126, 40, 24, 12), word("26.000", 156, 40, 48, 12)}),
        line({word("Vinh", 10, 60, 34, 12), word("21", 134, 60, 16, 12), word("7.000", 156, 60, 40, 12)}),
        line({word("Hanoi", 10, 80, 40, 12), word("1.700", 110, 80, 40, 12), word("12", 156, 80, 16, 12)}),
    };
    std::vector<std::string> notes;
    const std::optional<Table> t = ScreenTableRecognizer::build(lines, image, notes);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->grid(), (std::vector<std::vector<std::string>>{{"City", "People", "Amount"},
                                                                {"Hue", "392", "26.000"},
                                                                {"Vinh", "21", "7.000"},
                                                                {"Hanoi", "1.700", "12"}}));
    // A filled bar is no line, however tall.
    Image bar = plain(300, 100);
    TestSupport::Canvas::fill(bar, 0, 36, 300, 22, 90);
    notes.clear();
    const std::optional<Table> barred = ScreenTableRecognizer::build(lines, bar, notes);
    ASSERT_TRUE(barred);
    EXPECT_EQ(barred->cols, 2);
}

TEST(BackgroundBands, DarkBarsOnLightPagesOnly)
{
    Image page = plain(200, 100);
    TestSupport::Canvas::fill(page, 0, 20, 200, 20, 60);  // a dark header bar
    TestSupport::Canvas::fill(page, 0, 70, 200, 3, 0);    // a rule, not a bar
    EXPECT_EQ(BackgroundBands().darkBars(page), (std::vector<std::pair<int, int>>{{20, 40}}));
    // A two-line bar whose rows through bold light text have no dominant grey stays one bar.
    TestSupport::Canvas::fill(page, 0, 40, 200, 20, 60);
    for (int x = 0; x < 200; x += 3) {
        TestSupport::Canvas::fill(page, x, 30, 1, 4, 250);
        TestSupport::Canvas::fill(page, x + 1, 30, 1, 4, 150);
    }
    EXPECT_EQ(BackgroundBands().darkBars(page), (std::vector<std::pair<int, int>>{{20, 60}}));
    Image dark = plain(200, 100, 30);
    TestSupport::Canvas::fill(dark, 0, 20, 200, 20, 0);
    EXPECT_TRUE(BackgroundBands().darkBars(dark).empty());
    EXPECT_TRUE(BackgroundBands().darkBars(plain(4, 1)).empty());
}

TEST(ScreenTableRecognizer, CategoryCellsSpanTheRowsTheirRuleLeavesOpen)
{
    // A ruled page whose row rules stop short of the first column where a category spans.
    std::vector<std::string> notes;
    const std::optional<Table> t = ScreenTableRecognizer::build(
        ScreenFixtures::lines("ruled-row-spans"),
        ScreenFixtures::image("ruled-row-spans"), notes);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->rows, 10);
    std::vector<std::string> first;
    for (const Cell& c : t->cells)
        if (c.col == 0)
            first.push_back(std::to_string(c.row) + ":" + c.text + "/" + std::to_string(c.rowSpan));
    EXPECT_EQ(first, (std::vector<std::string>{"0:Kategorie/1", "1:Bürobedarf/2", "3:Dienstleistungen/2",
                                               "5:Hardware/2", "7:Software/2", "9:Gesamtsumme/1"}));
}

TEST(ScreenTableRecognizer, GroupHeaderStaysWholeOverARuleThatStartsBelowIt)
{
    // A ruled grid whose rule between the two sub-columns (x 195) starts under the group
    // header, where it would run through the header's second word; as the control, the
    // rule runs the full height between the header's words.
    auto build = [](bool fullRule, double yearX) {
        Image image = plain(400, 130);
        for (int x : {10, 130, 260})
            TestSupport::Canvas::fill(image, x, 5, 1, 121);
        TestSupport::Canvas::fill(image, 195, fullRule ? 5 : 40, 1, fullRule ? 121 : 86);
        for (int y : {5, 40, 70, 100, 125})
            TestSupport::Canvas::fill(image, 10, y, 251, 1);
        const std::vector<OCRLine> lines{
            line({word("Item", 20, 15, 30, 12), word("Sales", 147, 15, 45, 12), word("2024", yearX, 15, 30, 12)}),
            line({word("Qty", 140, 48, 25, 12), word("Sum", 205, 48, 25, 12)}),
            line({word("Tea", 20, 78, 25, 12), word("3", 170, 78, 8, 12), word("12", 240, 78, 14, 12)}),
            line({word("Rice", 20, 108, 30, 12), word("5", 170, 108, 8, 12), word("20", 240, 108, 14, 12)}),
        };
        std::vector<std::string> notes;
        return ScreenTableRecognizer::build(lines, image, notes);
    };
    const struct {
        const char* what;
        bool fullRule;
        double yearX;
        std::vector<std::string> header;
    } cases[] = {
        {"the rule would run through the header's second word", false, 186, {"Item", "Sales 2024", ""}},
        {"the rule runs past the header", true, 198, {"Item", "Sales", "2024"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Table> t = build(c.fullRule, c.yearX);
        ASSERT_TRUE(t);
        ASSERT_EQ(t->cols, 3);
        EXPECT_EQ(t->grid()[0], c.header);
        EXPECT_EQ(t->grid().back(), (std::vector<std::string>{"Rice", "5", "20"}));
    }
}
