#pragma once

// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Model/Table.hpp"

// A 3 x 3 table holding what the export formats treat specially: a merged header, a row
// span past the last row, two cells on one slot, tab, CR LF, LF, "|", "\", quotes,
// commas, "&<>" and Vietnamese text.
inline VozudOzev::Table kitchenSink()
{
    using VozudOzev::Cell;
    VozudOzev::Table t;
    t.rows = 3;
    t.cols = 3;
    t.cells = {
        Cell{0, 0, 1, 2, "Khách hàng", std::nullopt, std::nullopt, std::nullopt, true},
        Cell{0, 2, 1, 1, "Số tiền, \"VND\"", std::nullopt, std::nullopt, std::nullopt, true},
        Cell{1, 0, 5, 1, "A\tB\r\nC"},
        Cell{1, 1, 1, 1, "x|y\\z"},
        Cell{1, 1, 1, 1, "&<>"},
        Cell{1, 2, 1, 1, "1,250"},
        Cell{2, 1, 1, 1, "Tiếng Việt"},
        Cell{2, 2, 1, 1, "say \"hi\"\nnow"},
    };
    return t;
}
