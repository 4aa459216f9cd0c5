#include "VozudOzev/Platform/VietnameseMarks.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using VietnameseMarks::Signs;

TEST(VietnameseMarks, SignsOfAPage)
{
    const struct {
        const char* text;
        Signs want;
    } cases[] = {{"Banh mi", Signs::none}, {"Größe", Signs::none}, {"café", Signs::some}, {"đặc biệt", Signs::sure},
                 // German pages: a stray Vietnamese letter from an OCR slip never makes them Vietnamese.
                 {"Küchenrolle Lübeck Grüner Tee", Signs::none},
                 {"Tobias Kühn Schlüsselbund ạ", Signs::none},
                 {"Lübeck: Bánh mì đặc biệt ở Hà Nội", Signs::sure}};
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

TEST(VietnameseMarks, GermanLettersBackOnlyOnGermanPages)
{
    const struct {
        const char* page;
        const char* word;
        const char* want;
    } cases[] = {{"Grüner Tee", "Kũchenrolle", "Küchenrolle"},
                 {"Straße", "Schlủsselbund", "Schlüsselbund"},
                 {"Köln", "Lõwe Mãdchen ŨBER", "Löwe Mädchen ÜBER"},
                 // No German letter, or a surely Vietnamese page: left as read.
                 {"Tea", "Kũchenrolle", "Kũchenrolle"},
                 {"Lübeck đặc biệt ở", "mũ bảo hiểm", "mũ bảo hiểm"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        PageLines lines{{{c.page, {0, 0, 50, 10}, 1}, {c.word, {60, 0, 50, 10}, 1}}};
        VietnameseMarks::germanLettersBack(lines);
        EXPECT_EQ(lines[0][1].text, c.want);
    }
}
