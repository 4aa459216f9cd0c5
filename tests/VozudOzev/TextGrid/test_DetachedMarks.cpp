#include "VozudOzev/TextGrid/DetachedMarks.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

OCRWord word(const char* text, double x, double y, double w, double h)
{
    return OCRWord{text, BBox{x, y, w, h}, 0.9};
}

OCRLine line(std::vector<OCRWord> words)
{
    OCRLine l;
    l.bbox = words.front().bbox;
    for (const OCRWord& w : words) {
        l.text += (l.text.empty() ? "" : " ") + w.text;
        l.bbox = l.bbox.unite(w.bbox);
    }
    l.words = std::move(words);
    return l;
}

std::vector<std::string> texts(const std::vector<OCRLine>& lines)
{
    std::vector<std::string> out;
    for (const OCRLine& l : lines)
        out.push_back(l.text);
    return out;
}

}  // namespace

// Accents of "Hàng tiêu dùng" read again as their own line (". ca ay", 6 px tall over
// 26 px words); the dash of an empty cell and a small word in a place of its own stay.
TEST(DetachedMarks, AccentsReadOverTheirWordsGoEverythingElseStays)
{
    std::vector<OCRLine> lines{
        line({word("Nhóm", 59, 54, 99, 27), word("hàng", 175, 54, 85, 33)}),
        line({word(".", 85, 134, 6, 6), word("ca", 166, 134, 21, 6), word("ay", 247, 134, 7, 6)}),
        line({word("Hàng", 59, 137, 78, 30), word("tiêu", 151, 137, 58, 24), word("dùng", 224, 136, 76, 31)}),
        line({word("\u2014", 400, 150, 28, 2), word("228", 1026, 110, 56, 24)}),
        // A dot under a letter, read apart below it.
        line({word("Đồ", 56, 241, 43, 23), word("gia", 112, 246, 44, 25), word("dụng", 171, 240, 77, 31)}),
        line({word(".", 200, 270, 5, 4)}),
        // Marks of two words read as one.
        line({word("a.", 86, 237, 51, 7)}),
        line({word("x", 600, 300, 8, 8)}),
    };
    EXPECT_EQ(DetachedMarks::remove(lines), 5);
    EXPECT_EQ(texts(lines), (std::vector<std::string>{"Nhóm hàng", "Hàng tiêu dùng", "\u2014 228", "Đồ gia dụng", "x"}));
}

TEST(DetachedMarks, TooFewWordsToMeasureAreLeftAlone)
{
    std::vector<OCRLine> lines{line({word("A", 0, 0, 20, 30)}), line({word(".", 2, 5, 4, 4)})};
    EXPECT_EQ(DetachedMarks::remove(lines), 0);
    EXPECT_EQ(lines.size(), 2u);
}
