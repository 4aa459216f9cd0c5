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

TEST(Unicode, ClustersAreComposedCharacters)
{
    const struct {
        std::string text;
        std::vector<std::u32string> want;
    } cases[] = {
        {"", {}},
        {"1,5", {U"1", U",", U"5"}},
        {"a\r\nb", {U"a", U"\r\n", U"b"}},
        {"To\u0302\u0309ng", {U"T", U"\u1ED5", U"n", U"g"}},  // decomposed marks compose first
        {"\U0001F469\u200D\U0001F4BB!", {U"\U0001F469\u200D\U0001F4BB", U"!"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Unicode::Clusters text = Unicode::clusters(c.text);
        std::vector<std::u32string> got;
        for (size_t i = 0; i < text.size(); ++i)
            got.emplace_back(text.cluster(i));
        EXPECT_EQ(got, c.want);
        EXPECT_EQ(text.utf8(0, text.size()), Unicode::nfc(c.text));
    }
    EXPECT_TRUE(Unicode::clusters("a\r\n").is(0, U'a'));
    EXPECT_FALSE(Unicode::clusters("a\r\n").is(1, U'\r'));
}

TEST(Unicode, CharacterClassesAndFolding)
{
    EXPECT_TRUE(Unicode::isAsciiDigit(U'7'));
    EXPECT_TRUE(Unicode::isAsciiDigit('0'));
    EXPECT_FALSE(Unicode::isAsciiDigit(U'\u0663'));  // Arabic-Indic three is not read as a number
    EXPECT_FALSE(Unicode::isAsciiDigit(static_cast<char>(0xD9)));  // a lead byte of UTF-8
    EXPECT_TRUE(Unicode::isAscii("plain 1,5"));
    EXPECT_FALSE(Unicode::isAscii("5 ₫"));
    for (char32_t space : {U' ', U'\t', U'\n', U'\u00A0', U'\u2003'})
        EXPECT_TRUE(Unicode::isWhitespace(space)) << static_cast<uint32_t>(space);
    for (char32_t letter : {U'a', U'Z', U'\u0111', U'\u0434'})
        EXPECT_TRUE(Unicode::isLetter(letter)) << static_cast<uint32_t>(letter);
    EXPECT_FALSE(Unicode::isLetter(U'5'));
    EXPECT_EQ(Unicode::lowercased(U'\u0110'), U'\u0111');
    EXPECT_EQ(Unicode::lowercased("T\u1ED4NG"), "t\u1ED5ng");
    EXPECT_EQ(Unicode::folded("T\u1ED4NG C\u1ED8NG"), "tong cong");
    EXPECT_EQ(Unicode::folded("Stra\u00DFe"), "strasse");
}
