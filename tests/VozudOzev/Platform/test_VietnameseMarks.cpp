#include "VozudOzev/Platform/VietnameseMarks.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using VietnameseMarks::Signs;

TEST(VietnameseMarks, SignsOfAPage)
{
    const struct {
        const char* text;
        Signs want;
    } cases[] = {{"Banh mi", Signs::none}, {"Größe", Signs::none}, {"café", Signs::some}, {"đặc biệt", Signs::sure}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(VietnameseMarks::signsOf({{{c.text, {0, 0, 10, 10}, 1}}}), c.want);
    }
}

TEST(VietnameseMarks, TakesMarksOnlyForTheSameWordInTheSamePlace)
{
    PageLines lines{{{"Banh", {0, 0, 40, 10}, 1}, {"mi", {50, 0, 20, 10}, 1}, {"Tea", {80, 0, 30, 10}, 1}}};
    const PageLines marked{{{"Bánh", {1, 0, 40, 10}, 1}, {"mì", {200, 0, 20, 10}, 1}, {"Tên", {80, 0, 30, 10}, 1}}};
    VietnameseMarks::restore(lines, marked, false);
    EXPECT_EQ(lines[0][0].text, "Bánh");
    EXPECT_EQ(lines[0][1].text, "mi") << "elsewhere on the page";
    EXPECT_EQ(lines[0][2].text, "Tea") << "other letters";
}

TEST(VietnameseMarks, KeepsGermanLettersUnlessThePageIsSurelyVietnamese)
{
    const PageLines marked{{{"Grõße", {0, 0, 50, 10}, 1}}};
    PageLines lines{{{"Größe", {0, 0, 50, 10}, 1}}};
    VietnameseMarks::restore(lines, marked, true);
    EXPECT_EQ(lines[0][0].text, "Größe");
    VietnameseMarks::restore(lines, marked, false);
    EXPECT_EQ(lines[0][0].text, "Grõße");
}
