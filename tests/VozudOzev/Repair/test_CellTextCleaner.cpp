#include "VozudOzev/Repair/CellTextCleaner.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace VozudOzev;

namespace {

// One column of body cells, row by row.
std::vector<AssembledCell> column(const std::vector<std::string>& texts, int col = 0)
{
    std::vector<AssembledCell> cells;
    for (size_t i = 0; i < texts.size(); ++i) {
        AssembledCell c;
        c.row = static_cast<int>(i);
        c.col = col;
        c.text = texts[i];
        cells.push_back(c);
    }
    return cells;
}

std::vector<std::string> texts(const std::vector<AssembledCell>& cells)
{
    std::vector<std::string> out;
    for (const AssembledCell& c : cells)
        out.push_back(c.text);
    return out;
}

std::vector<std::string> cleanedColumn(const std::vector<std::string>& in)
{
    auto cells = column(in);
    CellTextCleaner::clean(cells);
    return texts(cells);
}

}  // namespace

TEST(CellTextCleaner, NumberPattern)
{
    const struct {
        std::string token;
        bool want;
    } cases[] = {
        {"12.5", true},      {"1.234,56", true},   {"(12)", true},      {"\u22125", true},  // minus sign
        {"+3%", true},       {"\u20AC12", true},   {"\u20AB1.000", true}, {"1.000\u0111", true},
        {"1.000\u20AB", true}, {"5KB", true},      {"3ms.", true},      {"5min", true},
        {"1\u2019000", true}, {"[5]", true},       {"(5%)", true},      {"12.", true},
        {"5abc", false},     // a group that is no unit
        {"5Kbps", false},    // more than three letters
        {"1e5", false},      {"abc", false},       {"", false},         {"12 ", false},
        {"$", false},        {"-", false},         {"5%%", false},      {"\u0665", false},  // Arabic-Indic five
        {"5\u0301", false},  // a digit carrying a combining mark
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(CellTextCleaner::isNumberToken(c.token), c.want);
    }
}

TEST(CellTextCleaner, NumericRepair)
{
    const struct {
        std::string token;
        std::optional<std::string> want;
    } cases[] = {
        {"1O5", "105"},
        {"lO%", "10%"},
        {"5OOk", "500k"},
        {"12O,5", "120,5"},
        {"Oct", std::nullopt},   // 0ct: "ct" is no unit
        {"OK", "0K"},            // K is a unit
        {"lOO%", std::nullopt},  // no digit and more than three characters
        {"OOO", "000"},
        {"(1O)", "(10)"},
        {"$l,2OO", "$1,200"},
        {"1\u041E5", "105"},     // Cyrillic O
        {"\u03BF5", "05"},       // Greek omicron
        {"\u04315", "65"},       // Cyrillic be reads as 6
        {"\u04175", "35"},       // Cyrillic Ze reads as 3
        {"12.5", "12.5"},        // already a number
        {"ab", std::nullopt},    // no look-alike
        {"1O5xyzw", std::nullopt},
        {"O\u0301", std::nullopt},  // O with an accent is no look-alike
        {"C\u00F3", std::nullopt},  // Vietnamese "Có": ó is not o
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(CellTextCleaner::numericRepair(c.token), c.want);
    }
}

TEST(CellTextCleaner, NumericCellNeedsHalfTheTokens)
{
    const struct {
        std::string text;
        bool want;
    } cases[] = {
        {"12 abc", true}, {"12 abc def", false}, {"1O5", true}, {"", false}, {"   ", false}, {"T\u1ED5ng 5", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CellTextCleaner::isNumericCell(c.text), c.want);
    }
}

TEST(CellTextCleaner, JunkTokens)
{
    const struct {
        std::string token;
        std::vector<std::string> rest;
        bool want;
    } cases[] = {
        {"|", {"12.5"}, true},
        {"\u2022", {"Revenue"}, true},                 // bullet
        {"-", {"5"}, false},                           // kept symbol
        {"\u20AB", {"5"}, false},                      // dong sign is kept
        {"a", {"x"}, false},                           // Latin letter
        {"\u1EDF", {"\u0111\u00E2y"}, false},          // Vietnamese ở is Latin
        {"\u01B0", {"Revenue"}, false},                // ư (U+01B0) is Latin
        {"7", {"x"}, false},                           // a number
        {"\u0448", {"Revenue"}, true},                 // Cyrillic sha beside Latin text
        {"\u0448", {"\u0414\u043E\u0445\u043E\u0434"}, false},  // beside Cyrillic text
        {"\u0448", {"Revenue", "\u0434"}, false},      // a Cyrillic neighbour is near enough
        {"\u0448", {}, false},                         // nothing to compare with
        {"||", {"x"}, false},                          // two characters are never junk
        {"a\u0301", {"x"}, false},                     // one character with an accent, still Latin-near
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(CellTextCleaner::isJunkToken(c.token, c.rest), c.want);
    }
}

TEST(CellTextCleaner, StripJunk)
{
    const struct {
        std::string in, want;
    } cases[] = {
        {"| 12.5", "12.5"},
        {"|Total", "Total"},
        {"|", "|"},  // a single token is never dropped
        {"\u2022 Revenue", "Revenue"},
        {"- 5", "- 5"},
        {"12.5 |", "12.5"},
        {"Total|", "Total"},
        {"|Total|", "Total"},
        {"| | x", "x"},
        {"a   b ", "a b"},
        {"\u2022 Doanh thu", "Doanh thu"},
        {"T\u1ED5ng c\u1ED9ng |", "T\u1ED5ng c\u1ED9ng"},
        {"L\u1EE3i nhu\u1EADn \u01B0", "L\u1EE3i nhu\u1EADn \u01B0"},
        {"|\u0301x", "|\u0301x"},  // a bar carrying a mark is not a bar
        {"   ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(CellTextCleaner::stripJunk(c.in), c.want);
    }
}

TEST(CellTextCleaner, Homoglyphs)
{
    const struct {
        std::string token;
        bool latinContext;
        std::string want;
    } cases[] = {
        // Cyrillic Р, А, С, К, А, Е around a Latin G
        {"\u0420\u0410\u0421\u041A\u0410G\u0415", false, "PACKAGE"},
        {"\u0442\u043E\u0442", true, "TOT"},                        // тот: small capitals
        {"\u0442\u043E\u0442", false, "\u0442\u043E\u0442"},        // no Latin anywhere
        {"\u0420rice", false, "Price"},
        {"\u0432\u043E\u0445", true, "BOX"},                        // вох
        {"\u043A\u0435\u0443", true, "Key"},                        // e and y are not caseless shapes
        {"\u043C\u0438\u0440", true, "\u043C\u0438\u0440"},         // и has no Latin twin
        {"\u0397ello", false, "\u0397ello"},                        // Greek Eta has none either
        {"\u0422-\u0442", true, "T-T"},                             // runs end at non-letters
        {"\u0410\u0301b", true, "\u0410\u0301b"},                   // А with a mark is no look-alike
        {"Gi\u00E1", true, "Gi\u00E1"},                             // Vietnamese untouched
        {"\u0111\u043E", true, "\u0111o"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(CellTextCleaner::fixHomoglyphs(c.token, c.latinContext), c.want);
    }
}

TEST(CellTextCleaner, CyrillicOrGreekCharacter)
{
    EXPECT_TRUE(CellTextCleaner::isCyrillicOrGreek("\u0436"));
    EXPECT_TRUE(CellTextCleaner::isCyrillicOrGreek("\u03A9"));
    EXPECT_TRUE(CellTextCleaner::isCyrillicOrGreek("\u0435\u0301"));
    EXPECT_FALSE(CellTextCleaner::isCyrillicOrGreek("e"));
    EXPECT_FALSE(CellTextCleaner::isCyrillicOrGreek("\u1EC7"));  // ệ
    EXPECT_FALSE(CellTextCleaner::isCyrillicOrGreek("e\u0301"));  // a combining mark is below U+0370
}

TEST(CellTextCleaner, CleansColumnsByKind)
{
    const struct {
        const char* name;
        std::vector<std::string> in, want;
    } cases[] = {
        {"numeric column",
         {"1O5", "lO%", "5OOk", "12O,5", "Oct", "OK", "lOO%"},
         {"105", "10%", "500k", "120,5", "Oct", "0K", "lOO%"}},
        {"text column: no digit repair, but O before a zero unit",
         {"O MB", "1O5", "Revenue", "Cost"},
         {"0 MB", "1O5", "Revenue", "Cost"}},
        {"junk around values", {"| 12.5", "|Total", "|", "\u2022 Revenue", "- 5"}, {"12.5", "Total", "|", "Revenue", "- 5"}},
        {"junk-prefix column drops the lead symbol", {"- Alpha", "- Beta", "- Gamma"}, {"Alpha", "Beta", "Gamma"}},
        {"lead letters are no junk prefix", {"A Alpha", "B Beta", "C Gamma"}, {"A Alpha", "B Beta", "C Gamma"}},
        {"Vietnamese money column",
         {"1.000\u0111", "2.5OO \u20AB", "3.000 \u20AB", "T\u1ED5ng c\u1ED9ng"},
         {"1.000\u0111", "2.500 \u20AB", "3.000 \u20AB", "T\u1ED5ng c\u1ED9ng"}},
        {"Vietnamese words in a numeric column keep their marks",
         {"1.000", "2.000", "3.000", "C\u00F3", "\u0110\u01A1n gi\u00E1", "L\u00F4 5"},
         {"1.000", "2.000", "3.000", "C\u00F3", "\u0110\u01A1n gi\u00E1", "L\u00F4 5"}},
        {"Vietnamese text column",
         {"Doanh thu", "L\u1EE3i nhu\u1EADn", "Chi ph\u00ED qu\u1EA3n l\u00FD", "S\u1ED1 l\u01B0\u1EE3ng", "\u1EDF", "\u01AF"},
         {"Doanh thu", "L\u1EE3i nhu\u1EADn", "Chi ph\u00ED qu\u1EA3n l\u00FD", "S\u1ED1 l\u01B0\u1EE3ng", "\u1EDF", "\u01AF"}},
        {"decomposed Vietnamese comes out composed",
         {"To\u0302\u0309ng co\u0302\u0323ng", "Gia\u0301"},
         {"T\u1ED5ng c\u1ED9ng", "Gi\u00E1"}},
        {"Cyrillic look-alikes in a Latin table",
         {"\u0420\u0410\u0421\u041A\u0410G\u0415", "\u0442\u043E\u0442", "Shipping and handling charges",
          "Insurance for fragile goods in transit", "Customs clearance fees and import duties"},
         {"PACKAGE", "TOT", "Shipping and handling charges", "Insurance for fragile goods in transit",
          "Customs clearance fees and import duties"}},
        {"a Cyrillic table is left alone",
         {"\u0442\u043E\u0442", "\u0414\u043E\u0445\u043E\u0434", "\u0420\u0430\u0441\u0445\u043E\u0434"},
         {"\u0442\u043E\u0442", "\u0414\u043E\u0445\u043E\u0434", "\u0420\u0430\u0441\u0445\u043E\u0434"}},
        {"empty stays empty", {"", "12", "13"}, {"", "12", "13"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cleanedColumn(c.in), c.want);
    }
}

TEST(CellTextCleaner, HeadersAndSpans)
{
    // Column 0 is numeric and a junk-prefix column: "- 1", "- 2", "- 3".
    auto cells = column({"", "- l", "- 2", "- 3"});
    cells[0].header = true;
    cells[0].text = "- lO";  // a header: no lead drop; its own text is numeric, so digit repair
    AssembledCell wordHeader;
    wordHeader.row = 4;
    wordHeader.header = true;
    wordHeader.text = "\u2022 Total";  // junk still stripped from headers
    cells.push_back(wordHeader);
    AssembledCell span;
    span.row = 5;
    span.colSpan = 2;
    span.text = "- lO";  // a span: no digit repair, but the lead drop applies
    cells.push_back(span);

    CellTextCleaner::clean(cells);
    EXPECT_EQ(texts(cells), (std::vector<std::string>{"- 10", "1", "2", "3", "Total", "lO"}));

    auto wordy = column({"Name", "1O", "2O", "3O"});
    wordy[0].header = true;
    wordy[0].text = "lO units total";  // header text that is no number of its own: left alone
    CellTextCleaner::clean(wordy);
    EXPECT_EQ(texts(wordy), (std::vector<std::string>{"lO units total", "10", "20", "30"}));
}

TEST(CellTextCleaner, ChangesOnlyText)
{
    auto cells = column({"1O5", "2O", "30"}, 2);
    for (size_t i = 0; i < cells.size(); ++i) {
        cells[i].rowSpan = 1;
        cells[i].confidence = 0.25 * static_cast<double>(i);
        cells[i].box = BBox{1, 2, 3, 4};
        cells[i].textBox = BBox{5, 6, 7, 8};
    }
    auto before = cells;
    CellTextCleaner::clean(cells);
    for (size_t i = 0; i < cells.size(); ++i) {
        before[i].text = cells[i].text;
        EXPECT_EQ(cells[i], before[i]);
    }
    EXPECT_EQ(cells[0].text, "105");
}

TEST(CellTextCleaner, InvalidUtf8IsRepairedNotCrashed)
{
    auto cells = column({"1O\xFF", "\xC3", "ab\xE2\x82"});
    CellTextCleaner::clean(cells);
    for (const AssembledCell& c : cells)
        EXPECT_FALSE(c.text.empty());
}
