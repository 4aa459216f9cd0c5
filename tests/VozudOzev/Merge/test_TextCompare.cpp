#include "VozudOzev/Merge/StitchTables.hpp"
#include "VozudOzev/Merge/TextCompare.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

TEST(TextCompare, KeysAndQuotes)
{
    const struct {
        std::string in, want;
    } cases[] = {
        {"\tTwo  words\n", "Two words"},
        {"\u201Cquoted\u201D", "\"quoted\""},
        {"don\u2019t", "don't"},
        {"\u00ABa\u00BB \u201Eb\u201F \u2033 \uFF02", "\"a\" \"b\" \" \""},
        {"`a\u00B4 \u2018\u201A\u201B\u2032\uFF07", "'a' '''''"},
        {"e\u0301t\u00E9", "\u00E9t\u00E9"},                 // composed
        {"a\u00A0\u2003b\u3000", "a b"},                        // Unicode white space
        {"Case Kept", "Case Kept"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(TextCompare::key(c.in), c.want);
    }
    EXPECT_EQ(TextCompare::foldQuotes(" \u2018x\u2019  "), " 'x'  ");
}

TEST(StitchScores, NormalizeAndDigits)
{
    const struct {
        std::string in, want;
    } cases[] = {
        {"Unit Price ($)", "unitprice"},
        {"unit price", "unitprice"},
        {"Unit Price:", "unitprice"},
        {"ĐƠN GIÁ (VNĐ)", "đơngiávnđ"},
        {"\u0110o\u0301", "đó"},  // decomposed mark kept and composed
        {"№ 12", "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(StitchTables::normalize(c.in), c.want);
    }
    EXPECT_EQ(StitchTables::digits("12.5 %"), "125");
    EXPECT_EQ(StitchTables::digits("٣ and 4"), "4");
}

TEST(StitchScores, Similarity)
{
    const struct {
        std::string a, b;
        double want;
    } cases[] = {
        {"", "", 0},
        {"", "x", 0},
        {"abc", "abc", 1},
        {"abcd", "abxd", 0.75},
        {"\u00E9", "e\u0301", 1},                                       // canonically equal
        {"👨‍👩‍👧x", "👨‍👩‍👧y", 0.5},                                    // one family, one character
        {"Người mua", "Nguoi mua", 1 - 2.0 / 9},                            // each diacritic letter one character
        {"Tiếng Việt", "Tiếng Viet", 0.9},
        {"kitten", "sitting", 1 - 3.0 / 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a + " / " + c.b);
        EXPECT_DOUBLE_EQ(StitchTables::similarity(c.a, c.b), c.want);
    }
}

TEST(StitchScores, RowSimilarity)
{
    using Row = std::vector<std::string>;
    const struct {
        const char* name;
        Row a, b;
        double want;
    } cases[] = {
        {"digits differ", {"Total", "1,250"}, {"Total", "1,520"}, 0},
        {"case, runs of blanks and quotes only", {"Mr  \u201CX\u201D", "A"}, {"mr \"x\"", "a"}, 1},
        {"different lengths", {"a", "b"}, {"a", "b", "c"}, 0},
        {"all empty", {"", " "}, {"", ""}, 0},
        {"empty against filled", {"a", ""}, {"a", "b"}, 0},
        {"one letter off over the joined keys", {"abc", "de"}, {"abx", "de"}, 1 - 1.0 / 6},
        {"Vietnamese cells", {"Hà Nội", "12"}, {"Ha Nội", "12"}, 1 - 1.0 / 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(StitchTables::rowSimilarity(c.a, c.b), c.want);
    }
}
