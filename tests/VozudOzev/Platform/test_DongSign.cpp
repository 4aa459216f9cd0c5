#include "VozudOzev/Platform/DongSign.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

// Digits 10 px tall standing on y = 30; the last symbol's bottom is given.
std::vector<DongSign::Symbol> amount(const std::string& last, double lastBottom)
{
    std::vector<DongSign::Symbol> s;
    for (int i = 0; i < 3; ++i)
        s.push_back({"5", {10.0 + 8 * i, 20, 7, 10}});
    s.push_back({last, {34, lastBottom - 12, 7, 12}});
    return s;
}

std::vector<std::string> texts(const std::vector<PageWord>& line)
{
    std::vector<std::string> out;
    for (const PageWord& w : line)
        out.push_back(w.text);
    return out;
}

}  // namespace

TEST(DongSign, EndsWithDongLetter)
{
    const struct {
        const char* word;
        bool want;
    } cases[] = {{"555đ", true}, {"đ", true}, {"d", true}, {"555d", true}, {"Vnd", false}, {"đã", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(DongSign::endsWithDongLetter(c.word), c.want);
    }
}

TEST(DongSign, SplitsTheSignOnlyWhenItReachesBelowTheDigits)
{
    std::vector<PageWord> line;
    DongSign::place(amount("\u0111", 34), {"555\u0111", {10, 20, 31, 14}, 0.9}, line);
    EXPECT_EQ(texts(line), (std::vector<std::string>{"555", "\u20AB"}));
    EXPECT_EQ(line[0].box.maxX(), 33);

    line.clear();
    DongSign::place(amount("\u0111", 30), {"555\u0111", {10, 20, 31, 10}, 0.9}, line);
    EXPECT_EQ(texts(line), (std::vector<std::string>{"555\u0111"})) << "a letter on the baseline stays";
}

TEST(DongSign, ALoneSignIsMeasuredAgainstTheWordBefore)
{
    std::vector<PageWord> line{{"1.000", {0, 20, 40, 10}, 0.9}};
    DongSign::place({{"d", {45, 22, 7, 12}}}, {"d", {45, 22, 7, 12}, 0.8}, line);
    EXPECT_EQ(texts(line), (std::vector<std::string>{"1.000", "\u20AB"}));

    std::vector<PageWord> afterText{{"Gia", {0, 20, 40, 10}, 0.9}};
    DongSign::place({{"d", {45, 22, 7, 12}}}, {"d", {45, 22, 7, 12}, 0.8}, afterText);
    EXPECT_EQ(texts(afterText), (std::vector<std::string>{"Gia", "d"}));
}

TEST(DongSign, LargeDigitsTakeTheSignsBarJustUnderTheirBaseline)
{
    // A serif sign at twice the scale reaches 2 px under digits 20 px tall; a round letter's
    // overshoot reaches one.
    const struct {
        double height;
        double reach;
        bool sign;
    } cases[] = {{20, 2, true}, {20, 1, false}, {10, 1, false}, {10, 2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " px digits, " << c.reach << " px lower");
        std::vector<PageWord> line{{"230.000", {0, 20, 70, c.height}, 0.9}};
        const BBox sign{80, 20 + c.reach, 10, c.height};
        DongSign::place({{"\u0111", sign}}, {"\u0111", sign, 0.8}, line);
        EXPECT_EQ(line.back().text, c.sign ? "\u20AB" : "\u0111");
    }
}
