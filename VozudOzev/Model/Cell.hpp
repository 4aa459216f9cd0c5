#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Model/CellFlag.hpp"

#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// One cell, anchored at its top-left grid slot (0-based).
struct Cell {
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
    std::string text;
    std::optional<double> confidence;
    std::optional<BBox> bbox;
    std::optional<std::vector<CellFlag>> flags;
    std::optional<bool> header;

    bool has(CellFlag flag) const;
    // Any flag other than "edited".
    bool isFlagged() const;

    bool operator==(const Cell&) const = default;
};

void to_json(nlohmann::json& j, const Cell& c);
void from_json(const nlohmann::json& j, Cell& c);

}  // namespace VozudOzev
