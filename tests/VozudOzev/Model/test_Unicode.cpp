#include "VozudOzev/Model/Unicode.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VozudOzev;

TEST(Unicode, Graphemes)
{
    using V = std::vector<std::string>;
    const struct {
        std::string text;
        V want;
    } cases[] = {
        {"ab", {"a", "b"}},
        {"a\r\nb", {"a", "\r\n", "b"}},
        {"T\u1ED5ng", {"T", "\u1ED5", "n", "g"}},                     // composed Vietnamese
        {"To\u0302\u0309ng", {"T", "o\u0302\u0309", "n", "g"}},       // decomposed: marks join their letter
        {"\u0442\u043E\u0442", {"\u0442", "\u043E", "\u0442"}},
        {"\U0001F1FB\U0001F1F3x", {"\U0001F1FB\U0001F1F3", "x"}},     // a flag is one character
        {"\U0001F469\u200D\U0001F4BB", {"\U0001F469\u200D\U0001F4BB"}},  // joined emoji
        {"\u1100\u1161", {"\u1100\u1161"}},                           // Hangul jamo
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Unicode::graphemes(c.text), c.want);
    }
}

TEST(Unicode, CaseAndNormalForm)
{
    EXPECT_EQ(Unicode::uppercased("box \u0111\u01A1n"), "BOX \u0110\u01A0N");
    EXPECT_EQ(Unicode::uppercased("abc"), "ABC");
    EXPECT_TRUE(Unicode::isLowercase(U'x'));
    EXPECT_TRUE(Unicode::isLowercase(U'\u1EDF'));
    EXPECT_FALSE(Unicode::isLowercase(U'X'));
    EXPECT_EQ(Unicode::nfc("T\u1ED5ng"), "T\u1ED5ng");
    EXPECT_EQ(Unicode::nfc("To\u0302\u0309ng"), "T\u1ED5ng");
}

TEST(Unicode, GraphemesCountWhatAReaderSees)
{
    const struct {
        std::string text;
        std::vector<std::string> want;
    } cases[] = {
        {"", {}},
        {"a1.", {"a", "1", "."}},
        {"Đồng", {"Đ", "ồ", "n", "g"}},
        {"o\u0302\u0300", {"o\u0302\u0300"}},  // decomposed ồ is one character
        {"a\r\nb", {"a", "\r\n", "b"}},
        {"12\u00A0₫", {"1", "2", "\u00A0", "₫"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Unicode::graphemes(c.text), c.want);
    }
}

TEST(Unicode, TrimNormaliseAndRepair)
{
    EXPECT_EQ(Unicode::trimmed("\u00A0 Tổng\n\t"), "Tổng");
    EXPECT_EQ(Unicode::trimmed(" \u2003 "), "");
    EXPECT_EQ(Unicode::nfc("o\u0302\u0300"), "ồ");
    EXPECT_TRUE(Unicode::isValid("Bánh mì"));
    EXPECT_FALSE(Unicode::isValid("\xC3"));
    EXPECT_EQ(Unicode::sanitized("a\xC3"), "a\uFFFD");
    EXPECT_EQ(Unicode::sanitized("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");  // an encoded surrogate is invalid
    EXPECT_EQ(Unicode::decode("\xF0\x9F\x98\x80"), std::u32string(1, U'\U0001F600'));
}

TEST(Unicode, WithoutMarks)
{
    const struct {
        const char* in;
        const char* want;
    } cases[] = {
        {"Đặc biệt", "Dac biet"}, {"Bánh mì", "Banh mi"}, {"Würzburg", "Wurzburg"}, {"o\u0302\u0300", "o"},
        {"1.234 ₫", "1.234 ₫"},   {"plain", "plain"},     {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(Unicode::withoutMarks(c.in), c.want);
    }
}
