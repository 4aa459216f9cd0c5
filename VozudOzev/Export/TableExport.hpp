#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <string>

// One table as the texts the user takes away: tab-separated text, an HTML table, the
// bytes of a CSV file and a Markdown pipe table. Invalid UTF-8 in a cell text comes
// out as U+FFFD, so no output is ever an invalid file.
namespace VozudOzev::TableExport {

// Grid texts with line ends and tabs turned into blanks, tab-joined, LF between rows,
// no final line end.
std::string tsv(const Table& table);

// A one-line HTML table; rows before headerRows use th. Spans are clipped to the grid.
std::string html(const Table& table, int headerRows);

// UTF-8 with a byte-order mark, CR LF after every row (and once for no rows at all).
std::string csvFileData(const Table& table);

// A pipe table whose label row folds the header rows (at least one) into " / "-joined
// labels; ends with LF, empty when the table has no rows or columns.
std::string markdown(const Table& table, int headerRows);

}  // namespace VozudOzev::TableExport
