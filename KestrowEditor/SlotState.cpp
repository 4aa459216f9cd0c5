#include "KestrowEditor/SlotState.hpp"

#include "KestrowEditor/EditorDocument.hpp"

#include <string>

namespace KestrowEditor {

SlotState SlotState::make(const EditorDocument& doc, int row, int viewColumn, const std::optional<CellRect>& sel,
                          int headerRows, double threshold)
{
    SlotState s;
    if (viewColumn == 0) {
        s.kind = Kind::gutter;
        s.text = std::to_string(row + 1);
        s.header = row < headerRows;
        s.inSelection = sel && sel->minRow <= row && row <= sel->maxRow;
        return s;
    }
    const int col = viewColumn - 1;
    CellRect span(CellPos(row, col), CellPos(row, col));
    if (const VozudOzev::Cell* cell = doc.cell(CellPos(row, col))) {
        s.text = cell->text;
        s.header = cell->header.value_or(false) || row < headerRows;
        s.flagged = TableEditing::needsCheck(*cell, threshold);
        s.mismatch = cell->has(VozudOzev::CellFlag::typeMismatch);
        s.edited = cell->has(VozudOzev::CellFlag::edited);
        span = TableEditing::rect(*cell);
    } else {
        s.header = row < headerRows;
    }
    if (!span.isSingle())
        s.span = span;
    s.rightEdge = col == span.maxCol;
    s.bottomEdge = row == span.maxRow;
    if (sel && sel->contains(CellPos(row, col))) {
        s.inSelection = true;
        s.selTop = row == sel->minRow;
        s.selBottom = row == sel->maxRow;
        s.selLeft = col == sel->minCol;
        s.selRight = col == sel->maxCol;
    }
    return s;
}

}  // namespace KestrowEditor
