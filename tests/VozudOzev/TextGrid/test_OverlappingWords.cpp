#include "VozudOzev/TextGrid/OverlappingWords.hpp"

#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;

TEST(OverlappingWords, PiecesOfOneWordOnTwoLinesAreReadAgainWhole)
{
    // "Supplies" centred on two rows, read as "Supoli" on one line and "upplies PP" on the next.
    std::vector<OCRLine> lines{
        line({word("Supoli", 50, 125, 74, 21), word("Baltimore", 221, 96, 118, 38)}),
        line({word("upplies", 65, 132, 85, 14), word("PP", 80, 132, 29, 21)}),
        line({word("Chicago", 221, 150, 100, 20)}),
    };
    std::vector<BBox> asked;
    const int n = OverlappingWords::rejoin(lines, [&](const BBox& b) -> std::optional<std::string> {
        asked.push_back(b);
        return "Supplies";
    });
    EXPECT_EQ(n, 1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], (BBox{50, 125, 100, 28}));
    std::vector<std::string> texts;
    for (const OCRLine& l : lines)
        texts.push_back(l.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Baltimore", "Chicago", "Supplies"}));
    EXPECT_EQ(lines[0].bbox, (BBox{221, 96, 118, 38}));
}

TEST(OverlappingWords, NeighbouringRowsAndMarksStayAsRead)
{
    std::vector<OCRLine> lines{
        line({word("Mainz", 10, 10, 60, 20)}),
        line({word("Köln", 10, 28, 50, 20)}),   // touches the row above by two pixels
        line({word("'", 30, 45, 4, 6)}),        // a stray mark on the word below
        line({word("Essen", 10, 46, 60, 20)}),
    };
    const std::vector<OCRLine> before = lines;
    bool asked = false;
    EXPECT_EQ(OverlappingWords::rejoin(lines, [&](const BBox&) -> std::optional<std::string> {
                  asked = true;
                  return "x";
              }),
              0);
    EXPECT_FALSE(asked);
    EXPECT_EQ(lines, before);
}

TEST(OverlappingWords, RowsWhoseBoxesReachIntoTheStripesBesideThemStayAsRead)
{
    // Over zebra stripes the boxes of a left-aligned column come back twice as tall as the
    // words and overlap the next row's by a few pixels; reading them as one box makes
    // nonsense of both ("L/Ct UIL Dallas Tucson").
    std::vector<OCRLine> lines{
        line({word("Detroit", 15, 90, 42, 26)}),
        line({word("Dallas", 14, 111, 39, 26)}),
        line({word("Tucson", 14, 130, 49, 26)}),
    };
    const std::vector<OCRLine> before = lines;
    EXPECT_EQ(OverlappingWords::rejoin(lines, [](const BBox&) -> std::optional<std::string> { return "x"; }), 0);
    EXPECT_EQ(lines, before);
}
