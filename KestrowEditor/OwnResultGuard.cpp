#include "KestrowEditor/OwnResultGuard.hpp"

#include <algorithm>

namespace KestrowEditor::OwnResultGuard {

bool contains(const Rect& rect, double x, double y)
{
    return x >= rect.x && x < rect.x + rect.w && y >= rect.y && y < rect.y + rect.h;
}

double gridShare(Rect selection, const std::vector<Layer>& layers)
{
    // A rectangle given with a negative size spans the other way.
    if (selection.w < 0) {
        selection.x += selection.w;
        selection.w = -selection.w;
    }
    if (selection.h < 0) {
        selection.y += selection.h;
        selection.h = -selection.h;
    }
    if (!(selection.w > 0) || !(selection.h > 0))
        return 0;
    if (std::none_of(layers.begin(), layers.end(), [](const Layer& l) { return !l.grids.empty(); }))
        return 0;
    constexpr int steps = 24;
    int count = 0;
    for (int j = 0; j < steps; ++j)
        for (int k = 0; k < steps; ++k) {
            const double x = selection.x + (j + 0.5) * selection.w / steps;
            const double y = selection.y + (k + 0.5) * selection.h / steps;
            const auto front = std::find_if(layers.begin(), layers.end(),
                                            [&](const Layer& l) { return contains(l.frame, x, y); });
            if (front == layers.end())
                continue;
            if (std::any_of(front->grids.begin(), front->grids.end(),
                            [&](const Rect& g) { return contains(g, x, y); }))
                ++count;
        }
    return count / double(steps * steps);
}

}  // namespace KestrowEditor::OwnResultGuard
