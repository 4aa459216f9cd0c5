#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Model/Cell.hpp"

#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

struct Table {
    // The largest grid a stored table may claim (rows x cols): 2^19, such as 10,000 rows of
    // 52 columns, far beyond any captured or stitched table, yet small enough that every
    // export of a full one takes about a second or less (bench_ExportSlotLimit: 2^20 took
    // 1.2 s to 1.6 s in JSON and 1.1 s in XLSX).
    static constexpr long long maxSlots = 524'288;

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
