#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Model/Cell.hpp"

#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

struct Table {
    // The largest grid a stored table may claim (rows x cols).
    static constexpr long long maxSlots = 16'777'216;

    int index = 0;
    int rows = 0;
    int cols = 0;
    std::vector<Cell> cells;  // in no required order
    std::optional<BBox> bbox;

    // rows x cols texts; each anchor slot holds its cell's text (two cells on one slot
    // are joined by a blank), spanned slots stay empty, anchors outside are left out.
    std::vector<std::vector<std::string>> grid() const;

    // How many leading rows consist only of cells marked header.
    int leadingHeaderRows() const;

    // One label per column from the first headerRows rows; a spanning header names
    // every column it covers, and a text repeating the one kept before it is dropped.
    std::vector<std::string> columnHeaderLabels(int headerRows, const std::string& separator) const;

    // Throws nlohmann's out_of_range for a size a stored table may not claim.
    static void checkSize(int rows, int cols, const nlohmann::json& context);

    bool operator==(const Table&) const = default;
};

void to_json(nlohmann::json& j, const Table& t);
void from_json(const nlohmann::json& j, Table& t);

}  // namespace VozudOzev
