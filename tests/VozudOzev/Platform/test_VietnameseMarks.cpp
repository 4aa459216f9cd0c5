#include "VozudOzev/Platform/VietnameseMarks.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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
    // A spreadsheet's column-letter bar read as a run of marked letters above a German table
    // is one garbled word, not a Vietnamese page.
    const PageLines sheet{{{"__ễ_ễễễSễễ—ễỄễỄễỄễỄỄĐẺẼễ_", {0, 0, 200, 10}, 0.1}},
                                           {{"Fürth", {0, 20, 30, 10}, 1}, {"Überfällig", {40, 20, 60, 10}, 1}},
                                           {{"Gießen", {0, 40, 30, 10}, 1}, {"Münster", {40, 40, 40, 10}, 1}}};
    EXPECT_EQ(VietnameseMarks::signsOf(sheet), Signs::none);
    EXPECT_FALSE(VietnameseMarks::mixed(sheet));
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

TEST(VietnameseMarks, SecondReadingSeesOnlyWordsThatCanTakeMarks)
{
    for (const auto& [word, want] : std::vector<std::pair<std::string, bool>>{
             {"Banh", true}, {"mì", true}, {"ĐỒNG", true}, {"(VND)", true}, {"30.738.000d", true},
             {"xyz", true}, {"1.250.000", false}, {"12/03", false}, {"₫", false}, {"TP.HCM", false}, {"", false}}) {
        SCOPED_TRACE(word);
        EXPECT_EQ(VietnameseMarks::markable(word), want);
    }
    // On a 40x10 page: a number, a word, a number touching the word, and a number.
    std::vector<std::uint8_t> grey(40 * 10, 0);
    const PageLines lines{{{"120", {0, 0, 8, 10}, 1},
                           {"Phở", {10, 0, 8, 10}, 1},
                           {"9", {17, 0, 6, 10}, 1},
                           {"7,5", {30, 0, 8, 10}, 1}}};
    EXPECT_TRUE(VietnameseMarks::blankUnmarkable(grey, 40, 10, 255, lines));
    for (int y : {0, 9}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(grey[y * 40 + 0], 255);
        EXPECT_EQ(grey[y * 40 + 7], 255);
        EXPECT_EQ(grey[y * 40 + 8], 0) << "between the words";
        EXPECT_EQ(grey[y * 40 + 12], 0) << "the word";
        EXPECT_EQ(grey[y * 40 + 21], 0) << "touches it";
        EXPECT_EQ(grey[y * 40 + 33], 255);
    }
    // No word that can take marks: nothing to read again, and the page is left alone.
    std::vector<std::uint8_t> page(40 * 10, 0);
    EXPECT_FALSE(VietnameseMarks::blankUnmarkable(page, 40, 10, 255, {{lines[0][0], lines[0][3]}}));
    EXPECT_EQ(page[0], 0);
    // Boxes off the page, or a page smaller than it says, stay in bounds.
    std::vector<std::uint8_t> small(4, 0);
    EXPECT_TRUE(VietnameseMarks::blankUnmarkable(small, 40, 10, 255, {{{"tea", {0, 0, 8, 10}, 1}}}));
    EXPECT_TRUE(VietnameseMarks::blankUnmarkable(grey, 40, 10, 255,
                                                 {{{"7", {-50, -50, 500, 500}, 1}, {"tea", {0, 0, 0, 0}, 1}}}));
    EXPECT_EQ(grey[12], 255);
}

// Stacked Vietnamese marks read as umlauts ("Cöng höa" for "Cộng hòa") leave a page with some
// of Vietnamese's own letters among many German ones; where the Vietnamese reading puts a dot
// below or a horn on those letters, which two dots never look like, the page is Vietnamese.
TEST(VietnameseMarks, UmlautsOverDotsBelowAreVietnamese)
{
    const PageLines read{{{"Cöng", {0, 0, 40, 10}, 1}, {"höa", {50, 0, 30, 10}, 1}},
                         {{"Buön", {0, 20, 40, 10}, 1}, {"Thuöt", {50, 20, 50, 10}, 1}},
                         {{"Thủ", {0, 40, 30, 10}, 1}, {"Đức", {40, 40, 30, 10}, 1}}};
    EXPECT_TRUE(VietnameseMarks::mixed(read));
    const PageLines marked{{{"Cộng", {0, 0, 40, 10}, 1}, {"hòa", {50, 0, 30, 10}, 1}},
                           {{"Buôn", {0, 20, 40, 10}, 1}, {"Thuột", {50, 20, 50, 10}, 1}}};
    EXPECT_EQ(VietnameseMarks::vietnameseUnderGerman(read, marked), 2);

    // A German page with a few slips: the Vietnamese data makes tildes and hooks of its
    // umlauts, never dots below.
    const PageLines german{{{"Küchenrolle", {0, 0, 110, 10}, 1}, {"Größe", {120, 0, 50, 10}, 1}},
                           {{"Lübeck", {0, 20, 60, 10}, 1}, {"ạ", {70, 20, 10, 10}, 1}, {"đ", {90, 20, 10, 10}, 1},
                            {"ủ", {110, 20, 10, 10}, 1}}};
    EXPECT_TRUE(VietnameseMarks::mixed(german));
    const PageLines germanMarked{{{"Kũchenrolle", {0, 0, 110, 10}, 1}, {"Grõße", {120, 0, 50, 10}, 1}},
                                 {{"Lủbeck", {0, 20, 60, 10}, 1}}};
    EXPECT_EQ(VietnameseMarks::vietnameseUnderGerman(german, germanMarked), 0);
    EXPECT_FALSE(VietnameseMarks::mixed({{{"Küchenrolle Größe", {0, 0, 110, 10}, 1}}}));
}

// Stacked marks read as umlauts on a Vietnamese page ("Sän phäm" for "Sản phẩm") sit on words
// of a Vietnamese syllable's shape; German words with umlauts do not have it.
TEST(VietnameseMarks, UmlautsOnVietnameseSyllables)
{
    const struct {
        const char* text;
        bool want;
    } cases[] = {{"Sän phäm Däu än Rau muöng", true},
                 {"Läi/Lö Giäy", true},
                 {"Küchenrolle Lübeck Grüner Tee Schlüsselbund Kühn", false},
                 {"für Süd Öl Bär", false},
                 {"Sän phäm Größe Küchenrolle", false},
                 {"Vö", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        PageLines lines{{}};
        double x = 0;
        const std::string text = c.text;
        for (size_t at = 0; at < text.size();) {
            const size_t end = std::min(text.find(' ', at), text.size());
            lines[0].push_back({text.substr(at, end - at), {x, 0, 40, 10}, 1});
            x += 50;
            at = end + 1;
        }
        EXPECT_EQ(VietnameseMarks::umlautsOnVietnameseSyllables(lines), c.want);
    }
}
