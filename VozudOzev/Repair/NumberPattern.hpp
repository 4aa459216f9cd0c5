#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a number is written, apart from its digits: what a column's cells share when they
// were read right. A cell that breaks its column's shape ("3711" among "37,11") lost or
// gained a mark in reading more often than it is written differently.
namespace VozudOzev::NumberPattern {

struct Shape {
    std::string prefix;     // currency mark or "(" before the digits, without blanks; "?" for
                            // a stray symbol there, "Y" for a yen sign read as a letter
    std::string suffix;     // currency mark, "%" or ")" after them, without blanks
    char decimal = 0;       // the decimal separator, 0 without a decimal part
    int decimals = 0;       // digits after it
    char group = 0;         // the group separator, 0 when none is written
    int integerDigits = 0;

    bool operator==(const Shape&) const = default;
};

// The shape of a text holding one number (blanks inside allowed, a sign, brackets, a
// currency mark or code, a percent sign); nothing for other text, dates and times.
// A lone separator followed by three digits reads as grouping when `groupFirst`.
std::optional<Shape> shapeOf(std::string_view text, bool groupFirst = true);

// The marks a reading wrote that ink can confirm: '-' for a minus sign before the first
// digit, then each separator ('.' or ',') written between two digits, in order.
std::string writtenMarks(std::string_view text);

// Indices of the texts whose shape breaks what a clear majority (three in five, three
// texts at least) of the others share:
// the decimal separator and count of decimals, a percent sign, a closing bracket
// without its opening one, or the grouping of long integer parts. A currency mark that a
// quarter of the numbers show (two at least) makes those without it odd: a mark read as
// a digit or lost is seldom misread the same way twice, while one mark alone may be how
// the first or the total row is written. "Y" before digits is a yen sign read as a letter,
// and one is enough to doubt every number of its column without a yen sign. A stray
// symbol before the digits ("#105") where others show a currency sign is odd too.
// Texts that are not numbers are neither counted nor returned.
std::vector<size_t> outliers(const std::vector<std::string>& texts);

// Whether three numbers or more, none with a currency mark, all begin with a 4: the yen
// sign read as that digit in every row, more often than a column of amounts in one range.
bool yenReadAsFour(const std::vector<std::string>& texts);

}  // namespace VozudOzev::NumberPattern
