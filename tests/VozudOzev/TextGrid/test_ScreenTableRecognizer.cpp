#include "VozudOzev/TextGrid/BorderText.hpp"
#include "VozudOzev/TextGrid/ScreenChrome.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
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
    EXPECT_TRUE(ScreenChrome::rowNumbers({"", "1", "2", "3"}));
    EXPECT_FALSE(ScreenChrome::rowNumbers({"1", "2", "4"}));

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
