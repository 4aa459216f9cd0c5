#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace VozudOzev {

// One table as a minimal workbook (SpreadsheetML, transitional namespaces) with one sheet:
// texts in the shared-string table, numbers as numeric cells, bold header rows that can be
// frozen, spanned cells as merged ranges.
struct XLSXWriter {
    using NumberReader = std::function<std::optional<double>(std::string_view)>;
    using CellReader = std::function<std::optional<double>(std::string_view, int)>;

    // The sheet's limits: a larger grid cannot be opened by a spreadsheet program.
    static constexpr int maxRows = 1048576;
    static constexpr int maxCols = 16384;

    std::string sheetName = "Table";  // cleaned by safeSheetName when written
    std::optional<int> headerRows;     // nothing: the table's leading header rows
    NumberReader parseNumber = simpleNumber;
    CellReader parseCell;              // preferred over parseNumber when set
    bool freezeHeader = false;
    std::chrono::system_clock::time_point date;  // document dates and the ZIP stamp

    XLSXWriter() = default;
    XLSXWriter(std::string sheetName, std::optional<int> headerRows, bool freezeHeader,
               std::chrono::system_clock::time_point date, NumberReader parseNumber = simpleNumber,
               CellReader parseCell = {});

    // The bytes of the .xlsx file. A grid beyond the sheet's limits, or a sheet too large
    // for the ZIP container, throws VozudOzevError.
    std::string data(const Table& table) const;

    // Locale-free reader of texts in the style 1,234.5 or (1,200). "1.234" is no number
    // (the point could group thousands); leading zeros and more than 15 significant
    // digits are none either.
    static std::optional<double> simpleNumber(std::string_view text);

    // Text for a cell's value: whole numbers below 10^15 as integers, anything else in the
    // shortest form that reads back as the same double (12.5, 1e+15, 1e-05).
    static std::string numberText(double value);

    // XML character data: " & < > escaped, tab, LF and CR kept, other control characters
    // and U+FFFE/U+FFFF dropped; invalid UTF-8 becomes U+FFFD.
    static std::string escape(std::string_view text);

    // : \ / ? * [ ] become "_", apostrophes and blanks are trimmed, at most 31
    // characters are kept, and nothing left gives "Table".
    static std::string safeSheetName(std::string_view name);
};

}  // namespace VozudOzev
