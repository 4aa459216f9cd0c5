#include "VozudOzev/Platform/WordGaps.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

// Characters 20 px tall; each entry is {text, left, right}.
std::vector<DongSign::Symbol> symbols(std::initializer_list<std::tuple<const char*, double, double>> chars)
{
    std::vector<DongSign::Symbol> out;
    for (const auto& [text, left, right] : chars)
        out.push_back({text, {left, 0, right - left, 20}});
    return out;
}

std::vector<std::string> texts(const std::vector<std::vector<DongSign::Symbol>>& groups)
{
    std::vector<std::string> out;
    for (const auto& group : groups) {
        std::string s;
        for (const DongSign::Symbol& c : group)
            s += c.text;
        out.push_back(s);
    }
    return out;
}

}  // namespace

TEST(WordGaps, SplitsWhereTheBlankIsASpace)
{
    struct Case {
        const char* what;
        std::vector<DongSign::Symbol> word;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"percent sign a space apart", symbols({{"5", 0, 10}, {"4", 13, 23}, {"%", 34, 50}}), {"54", "%"}},
        {"decimal comma close", symbols({{"4", 0, 10}, {"1", 15, 25}, {",", 31, 34}, {"3", 38, 48}}), {"41,3"}},
        {"two words run together", symbols({{"P", 0, 10}, {"h", 13, 23}, {"ở", 25, 35}, {"b", 44, 54}, {"ò", 56, 66}}),
         {"Phở", "bò"}},
        // A kerned or accented letter reaches back over its neighbour: no gap, no split.
        {"overlapping boxes", symbols({{"T", 0, 14}, {"ỷ", 2, 16}, {"x", 30, 40}}), {"Tỷ", "x"}},
        {"one character", symbols({{"7", 0, 10}}), {"7"}},
        // Monospaced cells 17 px wide: narrow glyphs stand apart in their cells, no space.
        {"monospaced decimal", symbols({{"1", 5, 11}, {"3", 19, 30}, {".", 40, 44}, {"1", 56, 62}}), {"13.1"}},
        {"monospaced code", symbols({{"I", 7, 10}, {"N", 19, 30}, {"V", 36, 47}, {"-", 53, 63}, {"2", 70, 81}}),
         {"INV-2"}},
        {"monospaced space", symbols({{"1", 5, 11}, {"3", 19, 30}, {"%", 53, 64}}), {"13", "%"}},
        // A small bold header: its letters a little apart, their centres evenly spaced.
        {"letters apart", symbols({{"N", 0, 11}, {"a", 20, 29}, {"m", 38, 51}, {"e", 58, 67}}), {"Name"}},
        // Monospace, 16 px a character: narrow glyphs stand alone in their cells, and the
        // blanks beside them are as wide as a proportional space.
        {"monospace decimal point", symbols({{"0", 4, 12}, {".", 22, 25}, {"3", 36, 44}}), {"0.3"}},
        {"monospace colon", symbols({{"1", 4, 12}, {"2", 20, 28}, {":", 38, 41}, {"5", 52, 60}, {"9", 68, 76}}),
         {"12:59"}},
        {"monospace pair", symbols({{"7", 4, 12}, {"%", 20, 28}}), {"7%"}},
        {"monospace space", symbols({{"7", 4, 12}, {"%", 36, 44}}), {"7", "%"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texts(WordGaps::split(c.word, WordGaps::spaceGap(c.word))), c.expected) << c.what;
    EXPECT_TRUE(WordGaps::split({}, 5).empty());
}

TEST(WordGaps, OnlyAProportionalPageIsSplit)
{
    // Monospace: every centre one pitch from the next, whatever the glyph's width ("1.5").
    std::vector<std::vector<DongSign::Symbol>> mono, prop;
    for (int w = 0; w < 6; ++w) {
        mono.push_back(symbols({{"1", 0, 8}, {".", 13, 15}, {"5", 20, 28}, {"0", 30, 38}}));
        prop.push_back(symbols({{"W", 0, 18}, {"i", 20, 23}, {"d", 25, 35}, {"t", 37, 42}, {"h", 44, 54}}));
    }
    EXPECT_FALSE(WordGaps::proportional(mono));
    EXPECT_TRUE(WordGaps::proportional(prop));
    EXPECT_FALSE(WordGaps::proportional({prop.begin(), prop.begin() + 2}));  // too few words to tell
}
