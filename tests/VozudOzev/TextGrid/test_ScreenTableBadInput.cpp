#include "VozudOzev/Platform/DocumentRecognizer.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "Support/Canvas.hpp"
#include "Support/ScreenFixtures.hpp"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace VozudOzev;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

Image grid(int w, int h, int step)
{
    Image image = plain(w, h);
    for (int y = 10; y < h - 10; y += step)
        fill(image, 10, y, w - 20, 1);
    for (int x = 10; x < w - 10; x += 4 * step)
        fill(image, x, 10, 1, h - 30);
    return image;
}

Image dotted(int w, int h)
{
    Image image = plain(w, h);
    for (int x = 0; x < w; x += 7)
        fill(image, x, 0, 3, h);
    return image;
}

Image darkBars(int w, int h)
{
    Image image = plain(w, h);
    for (int y : {10, 60, 110})
        fill(image, 0, y, w, 24, 40);
    return image;
}

}  // namespace

// Captures with no table in them, read for real: no table, and a note saying why.
TEST(ScreenTableRecognizer, CapturesWithoutATableGiveNoTableAndANote)
{
    const struct {
        const char* name;
        std::function<Image()> image;
    } cases[] = {
        {"only ruling lines", [] { return grid(600, 300, 30); }},
        {"a strip one pixel high", [] { return dotted(1920, 1); }},
        {"a column one pixel wide", [] { return plain(1, 1080, 0); }},
        {"dark bars with nothing on them", [] { return darkBars(500, 150); }},
        {"prose", [] { return TestSupport::ScreenFixtures::image("prose"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<DocumentObservation> seen = DocumentRecognizer::standard()->perform(c.image());
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_TRUE(seen[0].tables.empty());
        EXPECT_TRUE(std::any_of(seen[0].notes.begin(), seen[0].notes.end(),
                                [](const std::string& n) { return n.rfind("no ", 0) == 0; }))
            << (seen[0].notes.empty() ? "no notes" : seen[0].notes.back());
    }
}

// The lines read off a dark desktop with two terminal windows of prose: letters, bars and
// marks, nearly all at no confidence. Read with confidence, the same lines would make a table.
TEST(ScreenTableRecognizer, NoiseReadOffADesktopIsNoTable)
{
    std::vector<OCRLine> lines = TestSupport::ScreenFixtures::lines("desktop-noise");
    std::vector<std::string> notes;
    EXPECT_FALSE(ScreenTableRecognizer::build(lines, plain(640, 360, 0), notes));
    ASSERT_FALSE(notes.empty());
    EXPECT_NE(notes.back().find("noise"), std::string::npos) << notes.back();

    for (OCRLine& line : lines)
        for (OCRWord& w : line.words)
            w.confidence = 0.9;
    EXPECT_TRUE(ScreenTableRecognizer::build(lines, plain(640, 360, 0), notes));
}
