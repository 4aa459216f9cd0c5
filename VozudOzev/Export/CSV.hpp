#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated text over rows of strings.
namespace VozudOzev::CSV {

// Quoted (inner quotes doubled) when the field holds a comma, a quote, LF or CR;
// otherwise unchanged, leading blanks included.
std::string escape(std::string_view field);
// escape, written onto the end of out.
void appendEscaped(std::string& out, std::string_view field);

// Fields escaped and joined with ",", rows ended by LF; no byte-order mark.
std::string write(const std::vector<std::vector<std::string>>& rows);

// A lenient reader: a quote anywhere outside quotes starts a quoted part, CR is dropped,
// and an empty line inside the text gives a row with one empty field.
std::vector<std::vector<std::string>> parse(std::string_view text);

}  // namespace VozudOzev::CSV
