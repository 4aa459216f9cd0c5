#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include "VozudOzev/Repair/DashDetector.hpp"
#include "VozudOzev/Repair/DashWidth.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport;

namespace {

struct Rect {
    int x, y, w, h;
};

}  // namespace

TEST(DashDetector, ReadsOneLevelBarByItsWidth)
{
    const BBox cell{50, 10, 100, 40};  // text height 20 below
    using enum DashDetector::Specks;
    const struct {
        const char* name;
        std::vector<Rect> ink;
        DashDetector::Specks specks;
        std::optional<std::string> want;
    } cases[] = {
        {"hyphen", {{97, 29, 6, 2}}, refuse, "-"},
        {"en dash", {{94, 29, 12, 2}}, refuse, "–"},
        {"em dash", {{90, 29, 20, 2}}, ignored, "—"},
        {"longer than two text heights: a rule", {{70, 29, 45, 2}}, refuse, std::nullopt},
        {"too thick", {{94, 26, 12, 8}}, refuse, std::nullopt},
        {"a dot", {{99, 29, 2, 2}}, refuse, std::nullopt},
        {"near the top", {{94, 12, 12, 2}}, refuse, std::nullopt},
        {"two dashes", {{60, 29, 12, 2}, {120, 29, 12, 2}}, ignored, std::nullopt},
        {"ruling line along the edge is ignored", {{0, 10, 200, 1}, {94, 29, 12, 2}}, refuse, "–"},
        {"ruling line across the cell alone", {{50, 29, 100, 2}}, refuse, std::nullopt},
        {"a speck spoils the plain reading", {{94, 29, 12, 2}, {60, 40, 1, 1}}, refuse, std::nullopt},
        {"specks ignored", {{94, 29, 12, 2}, {60, 40, 1, 1}}, ignored, "–"},
        {"nothing drawn", {}, ignored, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = Canvas::plain(200, 60);
        for (const Rect& r : c.ink)
            Canvas::fill(image, r.x, r.y, r.w, r.h, 0);
        EXPECT_EQ(DashDetector::detect(image, cell, 20, c.specks), c.want);
    }
}

TEST(DashDetector, LightDashOnDarkBackgroundAndBoxesOutside)
{
    Image dark = Canvas::plain(200, 60, 30);
    Canvas::fill(dark, 94, 29, 12, 2, 220);
    EXPECT_EQ(DashDetector::detect(dark, {50, 10, 100, 40}, 20, DashDetector::Specks::ignored), "–");
    EXPECT_EQ(DashDetector::detect(dark, {500, 10, 100, 40}, 20, DashDetector::Specks::ignored), std::nullopt);
    EXPECT_EQ(DashDetector::detect(dark, {50, 10, 1, 40}, 20, DashDetector::Specks::ignored), std::nullopt);
    EXPECT_EQ(DashDetector::detect(Image{}, {0, 0, 10, 10}, 20, DashDetector::Specks::ignored), std::nullopt);
}

TEST(DashWidth, RelabelsWideFreeStandingDashes)
{
    using OCRBuilders::line;
    using OCRBuilders::word;
    const std::vector<OCRLine> lines = {
        line({word("Paid", 0, 0, 40, 10), word("-", 100, 0, 10, 10)}),      // wide: em dash
        line({word("Due", 0, 20, 30, 10), word("-", 100, 20, 5, 10)}),      // narrow: kept
        line({word("-", 0, 40, 10, 10), word("12", 13, 40, 16, 10)}),       // a minus sign: kept
        line({word("–", 0, 60, 12, 10)}),                                   // en dash read wide: em dash
    };
    const DashWidth::Result r = DashWidth::relabel(lines);
    EXPECT_EQ(r.relabelled, 2);
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0].text, "Paid —");
    EXPECT_EQ(r.lines[0].words[1].text, "—");
    EXPECT_EQ(r.lines[1], lines[1]);
    EXPECT_EQ(r.lines[2], lines[2]);
    EXPECT_EQ(r.lines[3].text, "—");
    EXPECT_EQ(DashWidth::relabel({}).relabelled, 0);
}
