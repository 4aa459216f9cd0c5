#pragma once

#include "KestrowEditor/EditorDocument.hpp"

#include <QString>

// The texts of a result window's status bar, edit controls and table picker.
namespace Kestrow::ResultStatus {

// "12 × 5"
QString sizeText(int rows, int cols);
// "B3 · 88%" for the cell under the selection, "B3" when it has no confidence; empty
// without a selection.
QString addressText(const KestrowEditor::EditorDocument& doc);
// The selected cell needs a look at this threshold.
bool selectionNeedsCheck(const KestrowEditor::EditorDocument& doc, double threshold);
// "412 ms", rounded as printf rounds.
QString timeText(double milliseconds);
// "Undo Edit Cell (Ctrl+Z)", or "Undo (Ctrl+Z)" when there is nothing to undo.
QString undoHelp(const KestrowEditor::EditorDocument& doc);
QString redoHelp(const KestrowEditor::EditorDocument& doc);
// "Table 2 · 14×5"
QString pickerLabel(int index, int rows, int cols);
// The source pane's height after a drag of the split handle by dy (positive downwards)
// from a pane of start points: dragging up enlarges it, never below 60.
double splitDrag(double start, double dy);

}  // namespace Kestrow::ResultStatus
