#include "KestrowEditor/OwnResultGuard.hpp"

#include <gtest/gtest.h>

using namespace KestrowEditor::OwnResultGuard;

TEST(OwnResultGuard, ShareCountsGridPointsOfTheFrontMostWindowOnly)
{
    // Our result window at (0,0) 400 x 300 with its grid on the top 200 points.
    const Layer result{{0, 0, 400, 300}, {{0, 0, 400, 200}}};
    const Layer other{{0, 0, 200, 300}, {}};  // another program's window over the left half
    const Layer twoGrids{{0, 0, 400, 300}, {{0, 0, 200, 300}, {200, 0, 200, 300}}};
    const struct {
        const char* name;
        Rect selection;
        std::vector<Layer> layers;
        double want;
    } cases[] = {
        {"wholly on the grid", {10, 10, 100, 100}, {result}, 1.0},
        {"half on the grid", {0, 100, 400, 200}, {result}, 0.5},
        {"grid covered by a window in front", {0, 0, 400, 200}, {other, result}, 0.5},
        {"grid in front of the other window", {0, 0, 400, 200}, {result, other}, 1.0},
        {"zero width", {10, 10, 0, 100}, {result}, 0},
        {"zero height", {10, 10, 100, 0}, {result}, 0},
        {"negative size spans the other way", {110, 110, -100, -100}, {result}, 1.0},
        {"no grid anywhere", {10, 10, 100, 100}, {other}, 0},
        {"no windows", {10, 10, 100, 100}, {}, 0},
        {"outside every window", {500, 500, 50, 50}, {result}, 0},
        {"several grids in one window", {100, 10, 200, 100}, {twoGrids}, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(gridShare(c.selection, c.layers), c.want);
    }
    EXPECT_GE(0.5, refuseShare);  // exactly half is refused
}

TEST(OwnResultGuard, ContainmentIsHalfOpen)
{
    const Rect r{10, 20, 30, 40};
    EXPECT_TRUE(contains(r, 10, 20));
    EXPECT_FALSE(contains(r, 40, 30));
    EXPECT_FALSE(contains(r, 20, 60));
    EXPECT_TRUE(contains(r, 39.999, 59.999));
    // Sample columns sit at x = 1, 3, 5, ...: the column on the grid's far edge is outside.
    const Layer edge{{0, 0, 48, 24}, {{0, 0, 3, 24}}};
    const Layer past{{0, 0, 48, 24}, {{0, 0, 3.001, 24}}};
    EXPECT_DOUBLE_EQ(gridShare({0, 0, 48, 24}, {edge}), 24.0 / 576);
    EXPECT_DOUBLE_EQ(gridShare({0, 0, 48, 24}, {past}), 48.0 / 576);
}
