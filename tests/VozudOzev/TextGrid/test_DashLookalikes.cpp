#include "VozudOzev/TextGrid/DashLookalikes.hpp"

#include "Support/Canvas.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

// One row: a word box at x 10..60 and a mark cell at x 100.., text from y 20 to 34 (the
// baseline); the mark's ink drawn by `draw`.
template <typename Draw>
Table row(const char* mark, Draw draw, Image& image, bool word = true)
{
    image = plain(200, 60);
    Table t;
    t.rows = 1;
    t.cols = 2;
    if (word) {
        fill(image, 10, 20, 50, 14, 40);
        Cell w{0, 0, 1, 1, "Word"};
        w.bbox = BBox{10, 20, 50, 14};
        t.cells.push_back(w);
    }
    draw(image);
    Cell m{0, 1, 1, 1, mark};
    m.bbox = BBox{100, 26, 16, 4};
    t.cells.push_back(m);
    return t;
}

}  // namespace

TEST(DashLookalikes, OneLevelBarAtTheTextsMiddleIsADash)
{
    struct Case {
        const char* what;
        const char* read;
        void (*draw)(Image&);
        const char* expected;
        bool word = true;
    };
    const std::vector<Case> cases{
        {"em dash read as an underscore", "_", [](Image& i) { fill(i, 100, 27, 16, 2, 40); }, "\u2014"},
        {"em dash read as equals", "=", [](Image& i) { fill(i, 100, 27, 16, 2, 40); }, "\u2014"},
        {"short bar read as an underscore", "_", [](Image& i) { fill(i, 100, 27, 5, 2, 40); }, "-"},
        {"underscore below the baseline", "_", [](Image& i) { fill(i, 100, 36, 16, 2, 40); }, "_"},
        {"equals with two bars", "=", [](Image& i) { fill(i, 100, 25, 16, 2, 40); fill(i, 100, 30, 16, 2, 40); },
         "="},
        {"no other text in the row to measure against", "_", [](Image& i) { fill(i, 100, 27, 16, 2, 40); }, "_",
         false},
        {"em dash read with a speck after it", "_.", [](Image& i) { fill(i, 100, 27, 16, 2, 40); }, "\u2014"},
        {"thin em dash read as a quote", "\"", [](Image& i) { fill(i, 100, 27, 16, 1, 40); }, "\u2014"},
        {"a ditto mark stays", "\"", [](Image& i) { fill(i, 104, 21, 2, 5, 40); fill(i, 109, 21, 2, 5, 40); }, "\""},
        {"a word is never touched", "Word", [](Image& i) { fill(i, 100, 27, 16, 2, 40); }, "Word"},
    };
    for (const Case& c : cases) {
        Image image;
        Table t = row(c.read, c.draw, image, c.word);
        DashLookalikes::restore(t, image, 14);
        EXPECT_EQ(t.cells.back().text, c.expected) << c.what;
    }
}
