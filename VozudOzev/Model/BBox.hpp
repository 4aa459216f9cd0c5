#pragma once

#include <nlohmann/json_fwd.hpp>

namespace VozudOzev {

// A rectangle in image pixels, origin at the top left.
struct BBox {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;

    // From a rectangle that may have negative sizes: the standardised form.
    static BBox fromRect(double x, double y, double w, double h);

    double minX() const { return x; }
    double maxX() const { return x + w; }
    double minY() const { return y; }
    double maxY() const { return y + h; }
    double midX() const { return x + w / 2; }
    double midY() const { return y + h / 2; }
    double area() const { return w * h; }

    BBox unite(const BBox& other) const;
    double intersectionArea(const BBox& other) const;
    bool contains(double px, double py) const;

    bool operator==(const BBox&) const = default;
};

void to_json(nlohmann::json& j, const BBox& b);
void from_json(const nlohmann::json& j, BBox& b);

}  // namespace VozudOzev
