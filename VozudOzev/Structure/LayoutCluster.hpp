#pragma once

namespace VozudOzev {

// A layout region in 72-dpi page units: `id` is the index of the detection it came from.
struct LayoutCluster {
    int id = 0;
    int label = 0;
    double confidence = 0;
    double l = 0;
    double t = 0;
    double r = 0;
    double b = 0;

    double area() const { return (r - l) * (b - t); }
    // Tables and document indexes (tables of contents) both count as tables.
    bool isTable() const { return label == 8 || label == 11; }

    bool operator==(const LayoutCluster&) const = default;
};

}  // namespace VozudOzev
