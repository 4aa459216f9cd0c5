#include "VozudOzev/TextGrid/FootnoteMarks.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include <functional>
#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;
using TestSupport::Canvas::fill;

// Letters are upright bars from y 10 to 29 (the baseline); the mark after them is drawn
// by each case at x 40.
TEST(FootnoteMarks, LastCharacterFollowsWhereItsInkStands)
{
    const struct {
        const char* read;
        std::function<void(Image&)> mark;
        const char* want;
        bool flagged;
    } cases[] = {
        {"Revenue?", [](Image& i) { fill(i, 40, 10, 6, 2); fill(i, 44, 12, 2, 3); fill(i, 40, 15, 2, 3); fill(i, 40, 18, 6, 2); },
         "Revenue²", false},
        {"Shipping!", [](Image& i) { fill(i, 42, 10, 2, 10); }, "Shipping¹", false},
        {"Overdue’", [](Image& i) { fill(i, 40, 10, 10, 8); }, "Overdue*", false},
        {"Götzt", [](Image& i) { fill(i, 42, 10, 3, 23); fill(i, 40, 14, 7, 2); }, "Götz†", false},
        {"Nr.2", [](Image& i) { fill(i, 40, 12, 3, 5); }, "Nr.²", false},
        // Too small to tell a 1 from a 2: flagged.
        {"Paid?", [](Image& i) { fill(i, 42, 10, 2, 5); }, "Paid¹", true},
        // On the baseline: what was read stands.
        {"Paid!", [](Image& i) { fill(i, 42, 10, 2, 14); fill(i, 42, 27, 2, 3); }, "Paid!", false},
        {"Limit", [](Image& i) { fill(i, 42, 13, 2, 17); fill(i, 40, 16, 6, 2); }, "Limit", false},
        {"Total?", [](Image& i) { fill(i, 40, 10, 6, 2); fill(i, 44, 12, 2, 8); fill(i, 42, 27, 2, 3); }, "Total?", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.read);
        Image image = TestSupport::Canvas::plain(80, 40);
        for (int x = 10; x < 36; x += 6)
            fill(image, x, 10, 3, 20);
        c.mark(image);
        std::vector<OCRLine> lines{line({word(c.read, 10, 10, 40, 20, 0.9)})};
        FootnoteMarks::apply(lines, image, 20);
        EXPECT_EQ(lines[0].words[0].text, c.want);
        EXPECT_EQ(lines[0].text, c.want);
        EXPECT_EQ(lines[0].words[0].confidence < 0.8, c.flagged);
    }
}

// A cell's grid line along the top of the searched box ("Mehl" in a box reaching past its
// letters): the page is still the white behind the letters, and "l" stands on the baseline.
TEST(FootnoteMarks, AGridLineAlongTheBoxIsNoPage)
{
    Image image = TestSupport::Canvas::plain(80, 60);
    fill(image, 0, 0, 80, 1, 160);  // the grid line over the row, the search's top edge
    for (int x = 10; x < 36; x += 6)
        fill(image, x, 14, 3, 16);
    fill(image, 42, 10, 2, 20);  // the "l", as tall as the letters
    std::vector<OCRLine> lines{line({word("Mehl", 10, 5, 36, 30, 0.9)})};
    FootnoteMarks::apply(lines, image, 20);
    EXPECT_EQ(lines[0].words[0].text, "Mehl");
}

// A word's own last letter is no mark because ink below it spoils the baseline: a dot
// under a letter ("Nội") and the next line's ascenders close under a terminal's line.
TEST(FootnoteMarks, BaselineIgnoresDotsBelowAndTheNextLine)
{
    Image image = TestSupport::Canvas::plain(60, 60);
    fill(image, 10, 10, 3, 20);  // N
    fill(image, 16, 14, 4, 16);  // o
    fill(image, 17, 33, 2, 3);   // its dot below
    fill(image, 23, 10, 2, 2);   // i, dot and stem on the baseline
    fill(image, 23, 15, 2, 15);
    fill(image, 10, 38, 3, 4);   // the next line's first letter
    std::vector<OCRLine> lines{line({word("Nội", 10, 8, 15, 28, 0.9)})};
    FootnoteMarks::apply(lines, image, 28);
    EXPECT_EQ(lines[0].words[0].text, "Nội");
}
