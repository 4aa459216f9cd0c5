#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// What a program draws around its table and is no part of it: a spreadsheet's column
// letters and row numbers, a widget's row header, sort arrows in header sections.
struct ScreenChrome {
    // Takes the chrome out of the table (rows and columns renumbered, empty ones
    // dropped) and says what it took. `sheetFrame`: the pixels show a sheet's frame (the
    // sections of a column-letter bar, the edge of a filled row-number column).
    static void remove(Table& table, std::vector<std::string>& notes, bool sheetFrame = false);

    // A run of spreadsheet column letters: "A", "B", ... "Z", "AA", each after the one before.
    static bool columnLetters(const std::vector<std::string>& texts);
    // For such a run, each letter's number ("A" = 1) less its place (from 0): place i
    // shows the letter numbered i + offset, none when that is below 1 (the bar's corner).
    static std::optional<long> letterOffset(const std::vector<std::string>& texts);
    // Row numbers: whole numbers, each one more than the one above (gaps allowed where empty).
    static bool rowNumbers(const std::vector<std::string>& texts);
};

}  // namespace VozudOzev
