#include "VozudOzev/Model/BBox.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace VozudOzev {

BBox BBox::fromRect(double x, double y, double w, double h)
{
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    return {x, y, w, h};
}

BBox BBox::unite(const BBox& o) const
{
    const double nx = std::min(x, o.x);
    const double ny = std::min(y, o.y);
    return {nx, ny, std::max(maxX(), o.maxX()) - nx, std::max(maxY(), o.maxY()) - ny};
}

double BBox::intersectionArea(const BBox& o) const
{
    const double ow = std::min(maxX(), o.maxX()) - std::max(x, o.x);
    const double oh = std::min(maxY(), o.maxY()) - std::max(y, o.y);
    return std::max(0.0, ow) * std::max(0.0, oh);
}

bool BBox::contains(double px, double py) const
{
    return x <= px && px <= x + w && y <= py && py <= y + h;
}

void to_json(nlohmann::json& j, const BBox& b)
{
    j = nlohmann::json{{"x", b.x}, {"y", b.y}, {"w", b.w}, {"h", b.h}};
}

void from_json(const nlohmann::json& j, BBox& b)
{
    b.x = j.at("x").get<double>();
    b.y = j.at("y").get<double>();
    b.w = j.at("w").get<double>();
    b.h = j.at("h").get<double>();
}

}  // namespace VozudOzev
