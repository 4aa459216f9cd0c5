#pragma once

#include "KestrowEditor/CellRect.hpp"

#include "VozudOzev/Model/Table.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The edits a user makes to a table. Each one changes the table in place and says whether
// anything changed; a request that cannot be carried out leaves the table as it was.
namespace KestrowEditor::TableEditing {

using VozudOzev::Cell;
using VozudOzev::Table;

// Whether a row or a column operation is meant.
enum class Axis { row, column };

// A cell's rectangle; spans below 1 count as 1.
CellRect rect(const Cell& cell);

// A mismatch or low-confidence flag, or not yet edited and a confidence (1.0 when absent)
// below the threshold.
bool needsCheck(const Cell& cell, double threshold);

// The first cell in list order whose rectangle holds the position.
std::optional<std::size_t> cellIndex(const Table& table, CellPos covering);
// That cell's rectangle, or the single slot when no cell covers the position.
CellRect spanRect(const Table& table, CellPos at);
// The rectangle grown until no cell sticks out of it.
CellRect expandedToSpans(const Table& table, CellRect rect);

// Writes into the covering cell (marking it edited and dropping "low_confidence", and removing
// other cells on its anchor), or adds a 1 x 1 cell on an uncovered slot.
bool setText(Table& table, const std::string& text, CellPos at, double threshold);
// Empties every non-empty cell touching the rectangle.
bool clear(Table& table, CellRect rect);

// An empty line in front of the one at `at` (clamped to 0 ... count); spans across it grow.
void insert(Table& table, Axis axis, int at);
// Removes one line; never the last one left. Named so because `delete` is taken.
bool deleteAt(Table& table, Axis axis, int index);
// The same as deleteAt for each of first ... last from the highest down, in one pass over
// the cells; a line outside the table is skipped. Refuses to remove every line.
bool deleteRange(Table& table, Axis axis, int first, int last);

// One cell over the rectangle grown to whole cells, with the covered cells' text joined.
bool merge(Table& table, CellRect rect);
// Breaks the spanning cell under the position into 1 x 1 pieces; the first keeps its content.
bool split(Table& table, CellPos at);

// Leading rows whose anchored cells are all marked header.
int headerRowCount(const Table& table);
// Makes exactly the first n rows header rows.
bool setHeaderRows(Table& table, int n);

// Anchors inside the grid of the cells that need checking, in row-major order.
std::vector<CellPos> flaggedPositions(const Table& table, double threshold);
// The first such anchor after the position (or the first at all), wrapping around.
std::optional<CellPos> nextFlagged(const Table& table, std::optional<CellPos> after, double threshold);

}  // namespace KestrowEditor::TableEditing
