#include "VozudOzev/Unicode.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

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
