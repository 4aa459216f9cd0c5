#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// Finds thin horizontal and vertical ruling lines: pixel rows (columns) whose longest
// run of non-background pixels covers enough of the text extent, grouped into lines.
struct RuleDetector {
    struct Rules {
        std::vector<double> horizontal;  // y of each line, ascending
        std::vector<double> vertical;    // x of each line, ascending

        bool operator==(const Rules&) const = default;
    };

    int contrast = 24;     // smallest grey difference from the background that is ink
    int maxThickness = 6;  // thicker groups of qualifying rows are bars, not lines
    int bridge = 3;        // most consecutive non-ink pixels bridged inside one run

    Rules detect(const Image& image, const BBox& extent, double minCoverage) const;

    // One position per stretch of set flags no thicker than maxThickness: its middle.
    std::vector<double> groups(const std::vector<bool>& flags) const;
};

}  // namespace VozudOzev
