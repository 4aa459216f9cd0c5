#pragma once

#include <vector>

// How much of a selected screen rectangle shows this program's own result grids, with the
// stacking of every window on screen considered: a grid behind another window does not count.
// Coordinates are global screen points with the origin at the top left.
namespace KestrowEditor::OwnResultGuard {

struct Rect {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;

    bool operator==(const Rect&) const = default;
};

// One on-screen window and the visible parts of our grids in it (empty for any other window).
struct Layer {
    Rect frame;
    std::vector<Rect> grids;

    bool operator==(const Layer&) const = default;
};

// A selection at or above this share is refused.
constexpr double refuseShare = 0.5;

// Half-open: a point on a minimum edge is inside, on a maximum edge outside.
bool contains(const Rect& rect, double x, double y);

// Share 0...1 of 24 x 24 sample points of the selection that show a grid in the front-most
// layer containing them. Layers are ordered front to back.
double gridShare(Rect selection, const std::vector<Layer>& layers);

}  // namespace KestrowEditor::OwnResultGuard
