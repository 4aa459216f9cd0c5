#include "VozudOzev/Unicode.hpp"

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
