#pragma once

#include "KestrowEditor/CellRect.hpp"

#include <optional>
#include <string>

namespace KestrowEditor {

class EditorDocument;

// What one slot of the grid shows. Every slot of a merged cell has its own state and draws
// its part of the merged rectangle, so text, fills and frames line up across the cell.
struct SlotState {
    enum class Kind { cell, gutter };

    Kind kind = Kind::cell;
    std::string text;
    bool header = false;
    bool flagged = false;   // the cell needs checking
    bool mismatch = false;  // carries the type-mismatch flag
    bool edited = false;
    bool rightEdge = true;   // rightmost column of its cell
    bool bottomEdge = true;  // bottom row of its cell
    bool inSelection = false;
    bool selTop = false;
    bool selBottom = false;
    bool selLeft = false;
    bool selRight = false;
    // The whole merged cell in document slots; none for a single-slot cell.
    std::optional<CellRect> span;

    // The state of a grid row and view column (0 is the row-number gutter, c >= 1 shows
    // document column c - 1) for the given selected rectangle.
    static SlotState make(const EditorDocument& doc, int row, int viewColumn, const std::optional<CellRect>& sel,
                          int headerRows, double threshold);

    bool operator==(const SlotState&) const = default;
};

}  // namespace KestrowEditor
