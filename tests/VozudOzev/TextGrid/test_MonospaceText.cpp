#include "VozudOzev/TextGrid/BorderText.hpp"
#include "VozudOzev/TextGrid/DottedZeros.hpp"
#include "VozudOzev/TextGrid/MonospaceColumns.hpp"
#include "VozudOzev/TextGrid/MonospaceGlyphs.hpp"
#include "VozudOzev/TextGrid/MonospaceMarks.hpp"
#include "VozudOzev/TextGrid/MonospaceWords.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"
#include "Support/ScreenFixtures.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
namespace ScreenFixtures = TestSupport::ScreenFixtures;
using namespace TestSupport::OCRBuilders;

// Terminal captures with the OCR's own lines: each shows one way the reading goes wrong
// on monospace text and how the table comes out right.
TEST(MonospaceText, TerminalCapturesReadRight)
{
    const struct {
        const char* fixture;
        int rows, cols;
        std::vector<std::pair<std::pair<int, int>, std::string>> cells;
    } cases[] = {
        // DejaVu Sans Mono's dotted zero read as "6" ("6.1"), next to true 6s and 9s.
        {"mono-dotted-zeros", 5, 8,
         {{{3, 2}, "0.1"}, {{1, 3}, "0.0"}, {{1, 4}, "1695156"}, {{3, 4}, "1873625"}, {{2, 5}, "47167"}}},
        // `ls -l` file names whose underscores the reading left out.
        {"mono-underscores", 6, 8,
         {{{2, 7}, "Doanh_thu_tháng_3.csv"}, {{3, 7}, "ghi_chú.txt"},
          {{5, 7}, "Hợp_đồng"}, {{1, 7}, "chạy.sh"}, {{2, 5}, "2024-11-18"}}},
        // The "+----+" rule under the header read as letters of no confidence.
        {"box-misread-rule", 4, 5, {{{0, 0}, "#"}, {{0, 3}, "Einzelpreis"}, {{1, 1}, "Leipzig"}, {{3, 4}, "Versendet"}}},
        // A report column filled in two rows only, whose word spaces fall at other places.
        {"mono-sparse-column", 7, 5,
         {{{0, 3}, "Ghi chú"}, {{2, 3}, "Khuyến mãi"}, {{0, 4}, "Mã"}, {{1, 4}, "A-2257"}, {{3, 3}, ""}}},
        // Umlauts whose two dots the reading left out ("Marz", "Vertrage", "Ubersicht").
        {"mono-umlaut-dots", 8, 8,
         {{{5, 7}, "Umsatz_März.csv"}, {{6, 7}, "Verträge"}, {{7, 7}, "Übersicht_2025.pdf"}, {{3, 7}, "Präsentation.odp"},
          {{1, 7}, "Bilanz.xlsx"}}},
        // Prices ending in đ, whose bar through the ascender the reading left out.
        {"mono-dong-letters", 7, 4, {{{1, 3}, "113.500đ"}, {{3, 3}, "3.675.500đ"}, {{2, 1}, "Henry Ford"}}},
        // Two-word values whose word space falls at one place in every row, the header's elsewhere.
        {"mono-second-words", 7, 4,
         {{{0, 2}, "Tình trạng"}, {{1, 2}, "Đã thanh toán"}, {{2, 2}, "Đã hủy"}, {{3, 3}, "2.279.000 ₫"}, {{0, 0}, "Ngày lập"}}},
        // A right-aligned header whose first word reaches back into the gap; its ₫ read as đ.
        {"mono-header-over-gap", 7, 4, {{{0, 0}, "Name"}, {{0, 1}, "Revenue (₫)"}, {{1, 1}, "66.000"}, {{0, 3}, "Views"}}},
        // Right-aligned amounts one blank before their unit, the header over the units.
        {"mono-unit-under-header", 7, 4,
         {{{0, 1}, "Giá"}, {{1, 1}, "—"}, {{2, 1}, "692.000 ₫"}, {{4, 1}, "6.322.000 ₫"}, {{2, 2}, "91"}}},
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
            EXPECT_EQ(grid.at(static_cast<size_t>(at.first)).at(static_cast<size_t>(at.second)), text);
    }
}

// A small proportional page whose few words happen to fit one pitch is no terminal: its
// word spaces, narrower than a character cell, stay.
TEST(MonospaceText, SmallProportionalPageKeepsItsWordSpaces)
{
    const char* fixture = "dark-proportional-small";
    const Image image = ScreenFixtures::image(fixture);
    std::vector<std::string> notes;
    const std::optional<Table> t = ScreenTableRecognizer::build(ScreenFixtures::lines(fixture), image, notes);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->rows, 6);
    EXPECT_EQ(t->cols, 3);
    const auto grid = t->grid();
    EXPECT_EQ(grid[0][2], "Chiết khấu");
    EXPECT_EQ(grid[2][0], "Đà Nẵng");
    EXPECT_EQ(grid[3][0], "Hải Phòng");
    EXPECT_EQ(grid[1][1], "471.000 ₫");
    for (const std::string& n : notes)
        EXPECT_EQ(n.find("monospace"), std::string::npos) << n;
}

// Drawn glyphs: a ring around a separate dot is a zero; rings without a dot, open loops
// and a ring around a letter are not.
TEST(MonospaceText, DottedZeroGlyphs)
{
    using TestSupport::Canvas::fill;
    // 10 x 16 px cells on a white page; strokes 2 px.
    auto ring = [](Image& im, int x) {
        fill(im, x + 1, 2, 8, 2, 0);
        fill(im, x + 1, 14, 8, 2, 0);
        fill(im, x + 1, 2, 2, 14, 0);
        fill(im, x + 7, 2, 2, 14, 0);
    };
    Image im = TestSupport::Canvas::plain(80, 20);
    ring(im, 0);  // dotted zero
    fill(im, 4, 8, 2, 2, 0);
    ring(im, 10);  // plain O
    ring(im, 20);  // a six: the ring open at the upper right, a bar across the middle
    fill(im, 27, 4, 2, 4, 255);
    fill(im, 21, 8, 8, 2, 0);
    ring(im, 30);  // a ring around a large inner mark ("®")
    fill(im, 34, 5, 2, 8, 0);
    fill(im, 44, 8, 2, 2, 0);  // a dot with no ring
    // A dotted zero on a dark page (light ink), its dot fainter.
    Image dark = TestSupport::Canvas::plain(20, 20, 30);
    fill(dark, 1, 2, 8, 2, 220);
    fill(dark, 1, 14, 8, 2, 220);
    fill(dark, 1, 2, 2, 14, 220);
    fill(dark, 7, 2, 2, 14, 220);
    fill(dark, 4, 8, 2, 2, 160);
    const struct {
        const Image* image;
        double x;
        bool zero;
    } cases[] = {{&im, 0, true}, {&im, 10, false}, {&im, 20, false}, {&im, 30, false}, {&im, 40, false}, {&dark, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(DottedZeros::dottedZero(*c.image, BBox{c.x, 0, 10, 18}), c.zero);
    }
}

// Where the font dots its zeros, an undotted ring as tall as they are in a word with
// letters is an O; a smaller ring (an o) and rings in numbers keep what was read.
TEST(MonospaceText, UndottedRingsAmongDottedZeros)
{
    using TestSupport::Canvas::fill;
    // 10 px cells; rings 14 px tall, an o 10 px; other characters an upright bar.
    auto ring = [](Image& im, int x, int top) {
        fill(im, x + 1, top, 8, 2, 0);
        fill(im, x + 1, 14, 8, 2, 0);
        fill(im, x + 1, top, 2, 16 - top, 0);
        fill(im, x + 7, top, 2, 16 - top, 0);
    };
    auto bar = [](Image& im, int x) { fill(im, x + 4, 2, 2, 14, 0); };
    Image im = TestSupport::Canvas::plain(200, 20);
    ring(im, 0, 2);  // "0scar": a plain O
    for (int x = 10; x < 50; x += 10)
        bar(im, x);
    bar(im, 60);  // "100": dotted zeros
    ring(im, 70, 2);
    fill(im, 74, 8, 2, 2, 0);
    ring(im, 80, 2);
    fill(im, 84, 8, 2, 2, 0);
    bar(im, 100);  // "n0": a ring as small as an o
    ring(im, 110, 6);
    ring(im, 130, 2);  // "10": a number
    bar(im, 120);
    std::vector<OCRLine> lines{line({word("0scar", 0, 2, 50, 14), word("100", 60, 2, 30, 14), word("n0", 100, 2, 20, 14),
                                     word("10", 120, 2, 20, 14)})};
    int fixed = 0;
    const std::vector<OCRLine> out = DottedZeros::read(lines, im, 10, fixed);
    EXPECT_EQ(out[0].text, "Oscar 100 n0 10");
    EXPECT_EQ(fixed, 1);
}

// The same pixels are the same character: readings that a clear majority of the readings
// of a glyph contradict follow the majority; an even split goes to the one reading no other
// glyph claims, and else changes nothing. A letter as tall as capitals where the small
// letter's glyph is shorter is the capital, a "T" with a foot as wide as its top an "I", and
// an "L" or "t" with a serif only to the left of its top an "l".
TEST(MonospaceText, OneGlyphOneCharacter)
{
    using TestSupport::Canvas::fill;
    // 10 px cells, glyphs 14 px tall from y 2.
    auto glyph = [](Image& im, int x, char c) {
        switch (c) {
        case 'a': fill(im, x + 2, 8, 6, 8); break;
        case 'l': fill(im, x + 4, 2, 2, 14); break;
        case 'i': fill(im, x + 4, 2, 2, 2); fill(im, x + 4, 6, 2, 10); break;
        case 'c': fill(im, x + 2, 8, 6, 2); fill(im, x + 2, 8, 2, 8); fill(im, x + 2, 14, 6, 2); break;
        case 'e': fill(im, x + 2, 8, 6, 8); fill(im, x + 4, 10, 2, 2, 255); break;
        case 'O': fill(im, x + 1, 2, 8, 14); fill(im, x + 3, 4, 4, 10, 255); break;
        case 's': fill(im, x + 2, 8, 6, 2); fill(im, x + 2, 11, 6, 2); fill(im, x + 2, 14, 6, 2); break;
        case 'r': fill(im, x + 2, 8, 2, 8); fill(im, x + 2, 8, 6, 2); break;
        case 'A': fill(im, x + 2, 8, 6, 8); fill(im, x + 2, 3, 2, 2); fill(im, x + 6, 3, 2, 2); break;  // ä
        case 'u': fill(im, x + 2, 8, 2, 8); fill(im, x + 6, 8, 2, 8); fill(im, x + 2, 14, 6, 2); break;
        case 'U': fill(im, x + 2, 5, 2, 11); fill(im, x + 6, 5, 2, 11); fill(im, x + 2, 14, 6, 2); break;
        case 'I': fill(im, x + 2, 5, 6, 2); fill(im, x + 4, 5, 2, 11); fill(im, x + 2, 14, 6, 2); break;
        case 'T': fill(im, x + 1, 5, 8, 2); fill(im, x + 4, 5, 2, 11); break;
        case 'k': fill(im, x + 2, 2, 4, 2); fill(im, x + 4, 2, 2, 14); fill(im, x + 4, 14, 5, 2); break;  // l, serifed
        case 'L': fill(im, x + 2, 2, 2, 14); fill(im, x + 2, 14, 6, 2); break;
        case 't': fill(im, x + 4, 4, 2, 12); fill(im, x + 1, 7, 8, 2); fill(im, x + 4, 14, 5, 2); break;
        }
    };
    Image im = TestSupport::Canvas::plain(800, 20);
    std::vector<OCRWord> words;
    // What is drawn, and what the reading made of it.
    const std::pair<const char*, const char*> drawn[] = {
        {"alice", "alice"}, {"alice", "aLice"}, {"alice", "alice"}, {"alice", "alice"}, {"Oscar", "Oscar"},
        {"Oscar", "0scar"}, {"sAr", "sär"}, {"sAr", "sar"}, {"uru", "uru"}, {"uru", "uru"}, {"Ur", "ur"},
        {"Ic", "Tc"}, {"Tr", "Tr"}, {"kc", "Lc"}, {"kc", "tc"}, {"Lc", "Lc"}, {"tc", "tc"}};
    int x = 0;
    for (const auto& [glyphs, read] : drawn) {
        const int n = static_cast<int>(std::string(glyphs).size());
        for (int i = 0; i < n; ++i)
            glyph(im, x + 10 * i, glyphs[i]);
        words.push_back(word(read, x + 1, 2, 10 * n - 2, 14));
        x += 10 * n + 20;
    }
    int changed = 0;
    const std::vector<OCRLine> out = MonospaceGlyphs::agreed({line(words)}, im, 10, changed);
    EXPECT_EQ(out[0].text, "alice alice alice alice Oscar 0scar sär sär uru uru Ur Ic Tr lc lc Lc tc");
    EXPECT_EQ(changed, 6);
}

// Two dots side by side over a letter are an umlaut's; a wider mark, one dot, or dots at two
// heights are not. A bar across a d's ascender, with the stem above and below it, makes đ;
// the top of a bowl joining the stem or a serif at the top does not; a bar under it, ₫.
TEST(MonospaceText, MarksTheGlyphShows)
{
    using TestSupport::Canvas::fill;
    // 10 px cells; a letter body 6 x 8 px from y 8, marks above it.
    Image im = TestSupport::Canvas::plain(60, 18);
    for (int x = 0; x < 50; x += 10)
        fill(im, x + 2, 8, 6, 8);
    fill(im, 2, 4, 2, 2), fill(im, 6, 4, 2, 2);     // two dots
    fill(im, 12, 4, 6, 2);                          // a circumflex's width
    fill(im, 24, 4, 2, 2);                          // one dot
    fill(im, 32, 3, 2, 2), fill(im, 36, 5, 2, 2);   // two heights
    const struct {
        double x;
        bool dots;
    } dotCases[] = {{0, true}, {10, false}, {20, false}, {30, false}, {40, false}};
    for (const auto& c : dotCases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(MonospaceMarks::twoDotsAbove(im, BBox{c.x, 1, 10, 17}), c.dots);
    }

    // d: a stem on the right from y 2, a bowl on the left from y 8.
    Image d = TestSupport::Canvas::plain(40, 20);
    for (int x = 0; x < 40; x += 10) {
        fill(d, x + 6, 2, 2, 14);
        fill(d, x + 2, 8, 4, 2), fill(d, x + 2, 8, 2, 8), fill(d, x + 2, 14, 4, 2);
    }
    fill(d, 3, 4, 6, 1);     // đ
    fill(d, 14, 2, 4, 1);    // a serif at the top
    fill(d, 23, 7, 6, 1);    // a bar on the bowl
    fill(d, 33, 4, 6, 1);    // ₫: barred, and a bar under the foot
    fill(d, 34, 17, 5, 1);
    const struct {
        double x;
        bool barred;
        bool underlined;
    } barCases[] = {{0, true, false}, {10, false, false}, {20, false, false}, {30, true, true}};
    for (const auto& c : barCases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(MonospaceMarks::barredAscender(d, BBox{c.x, 1, 10, 16}), c.barred);
        EXPECT_EQ(MonospaceMarks::underlined(d, BBox{c.x, 1, 10, 18}), c.underlined);
    }
}

// A word that runs over a column edge where other rows have text beside it joins the two
// columns; a long value that only reaches into the gap, clear of both columns' text, does not.
TEST(MonospaceText, WordsOverColumnEdges)
{
    using TestSupport::Canvas::fill;
    using Band = TextGridEngine::Band;
    // Names from x 0, dates from x 150; the band edge at the gap's middle, x 105. 10 px pitch.
    const std::vector<Band> columns{{0, 105}, {105, 260}};
    auto rowsWith = [](const BBox& long_) {
        std::vector<TextGridEngine::Row> rows;
        for (int r = 0; r < 5; ++r) {
            const double y = 20.0 * r;
            rows.push_back({{"name", BBox{0, y, 60, 12}, 0.9}, {"date", BBox{150, y, 100, 12}, 0.9}});
        }
        rows[2].front().bbox.w = 40;
        rows[2].insert(rows[2].begin() + 1, {"word", BBox{long_.x, 40, long_.w, 12}, 0.9});
        return rows;
    };
    const struct {
        const char* what;
        BBox word;
        size_t columns;
    } cases[] = {
        {"a word into the gap only", {80, 40, 40, 12}, 2},
        {"a word from the names' text over the edge", {50, 40, 70, 12}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Image im = TestSupport::Canvas::plain(300, 100);
        const auto rows = rowsWith(c.word);
        // Letters as upright strokes, 2 px of every 4.
        for (const auto& row : rows)
            for (const TextSegment& s : row)
                for (int x = static_cast<int>(s.bbox.x); x < s.bbox.maxX(); x += 4)
                    fill(im, x, static_cast<int>(s.bbox.y), 2, static_cast<int>(s.bbox.h));
        int joined = 0;
        EXPECT_EQ(MonospaceColumns::joinCrossed(columns, rows, im, 10, joined).size(), c.columns);
    }
}

// A flat stroke along the foot of the blank is an underscore; a blank, a stroke at mid
// height (a dash) or a letter is not.
TEST(MonospaceText, UnderscoreInTheBlank)
{
    using TestSupport::Canvas::fill;
    Image im = TestSupport::Canvas::plain(120, 24);
    fill(im, 0, 15, 10, 2, 0);   // underscore under text 14 px tall from y 2
    fill(im, 20, 8, 10, 2, 0);   // dash
    fill(im, 42, 4, 2, 10, 0);   // a bar of a letter
    fill(im, 63, 20, 4, 2, 0);   // a mark over a letter of the next line
    fill(im, 80, 15, 10, 2, 0);  // an underscore with the next line's text under it
    fill(im, 84, 19, 2, 5, 0);
    fill(im, 100, 15, 9, 2, 0);  // across a blank whose edges fall inside pixels
    const struct {
        double x, w;
        bool underscore;
    } cases[] = {{0, 10, true}, {20, 10, false}, {40, 10, false}, {60, 10, false}, {80, 10, true}, {99.6, 9.8, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(MonospaceWords::underscoreIn(im, BBox{c.x, 2, c.w, 19}, 14), c.underscore);
    }
}

TEST(MonospaceText, FlatInkIsARule)
{
    using TestSupport::Canvas::fill;
    Image im = TestSupport::Canvas::plain(200, 60);
    fill(im, 0, 8, 200, 2, 0);  // a rule with a junction
    fill(im, 100, 3, 2, 12, 0);
    for (int x = 0; x < 200; x += 10)  // text: strokes all over its height
        fill(im, x, 30, 2, 12, 0);
    fill(im, 0, 41, 200, 1, 0);  // underlined
    EXPECT_TRUE(BorderText::flatInk(im, BBox{0, 0, 200, 18}, 12));
    EXPECT_FALSE(BorderText::flatInk(im, BBox{0, 28, 200, 16}, 12));
    EXPECT_FALSE(BorderText::flatInk(im, BBox{0, 0, 30, 18}, 12));  // too short to tell
}

// Lone dashes of a 10 px pitch in text 14 px tall: only a full-cell, stroke-thin one is
// the em dash of an empty value.
TEST(MonospaceText, EmDashesByTheirBox)
{
    const struct {
        const char* text;
        double w, h, y;
        const char* read;
    } cases[] = {
        {"-", 10, 2, 8, "\u2014"},      // hyphen reading of a full-cell dash
        {"=", 9.5, 1.5, 8, "\u2014"},   // one stroke, not two
        {"\u2013", 11, 2, 8, "\u2014"},
        {"_", 10, 2, 8, "\u2014"},      // at mid height
        {"-", 5, 2, 8, "-"},            // a hyphen: half a cell
        {"=", 9, 5, 6, "="},            // two strokes
        {"_", 10, 2, 15, "_"},          // at the foot: an underscore
        {"--", 10, 2, 8, "--"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        OCRLine line;
        line.bbox = {0, 2, 200, 14};
        line.words = {OCRWord{.text = "Total", .bbox = {0, 2, 50, 14}}, OCRWord{.text = c.text, .bbox = {60, c.y, c.w, c.h}}};
        int read = 0;
        const std::vector<OCRLine> out = MonospaceWords::emDashes({line}, 10, 14, read);
        EXPECT_EQ(out[0].words[1].text, c.read);
    }
}

// A word whose ink holds a blank of a whole cell is two words ("20,7%" drawn "20,7 %");
// narrow glyphs' side room ("1.1") and a word as wide as its letters are left alone.
TEST(MonospaceText, WordsPartedAtBlankCells)
{
    using TestSupport::Canvas::fill;
    Image im = TestSupport::Canvas::plain(200, 20);
    // 10 px cells from x 0: "ab c" read as "abc" (ink in cells 0, 1 and 3).
    for (int cell : {0, 1, 3})
        fill(im, cell * 10 + 2, 4, 4, 10, 0);
    // "1.1" from x 100: narrow inks with 6 px between them.
    fill(im, 104, 4, 2, 10, 0);
    fill(im, 114, 12, 2, 2, 0);
    fill(im, 124, 4, 2, 10, 0);
    const struct {
        const char* text;
        BBox box;
        std::vector<std::string> words;
    } cases[] = {
        {"abc", {2, 4, 34, 10}, {"ab", "c"}},
        {"1.1", {104, 4, 22, 10}, {"1.1"}},
        {"abcd", {2, 4, 34, 10}, {"abcd"}},  // as many letters as cells: nothing hidden
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        OCRLine line;
        line.words = {OCRWord{.text = c.text, .bbox = c.box}};
        int parted = 0;
        const std::vector<OCRLine> out = MonospaceWords::spacedOut({line}, im, 10, parted);
        std::vector<std::string> words;
        for (const OCRWord& w : out[0].words)
            words.push_back(w.text);
        EXPECT_EQ(words, c.words);
    }
}
