#pragma once

#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/Platform/Image.hpp"

namespace VozudOzev {

// A dash standing alone for an empty value comes back from OCR as "_", "_." or "=" now and then,
// a thin page font's em dash most of all. An underscore sits below the baseline and "="
// has two bars; one level bar at the height of the row's text is a dash.
struct DashLookalikes {
    // Gives each cell read as a lone dash lookalike the dash its ink shows ("-", "–" or
    // "—", by its width against textHeight), when the ink is one level bar at the middle
    // of the other text of its row. Returns how many cells changed.
    static int restore(Table& table, const Image& image, double textHeight);
};

}  // namespace VozudOzev
