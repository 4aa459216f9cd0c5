#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Repairs the text of one table's assembled cells in place: stray one-character tokens
// from ruling lines and bullets, letters standing for digits in numeric columns, "O"
// before a unit, and Cyrillic or Greek look-alikes of Latin letters. Only text changes.
namespace VozudOzev::CellTextCleaner {

// The whole pass over one table.
void clean(std::vector<AssembledCell>& cells);

// The number pattern matches the whole token and its unit is absent or a known unit.
bool isNumberToken(std::string_view token);

// The token read as a number (look-alike letters turned into digits), or nothing.
std::optional<std::string> numericRepair(std::string_view token);

// At least half of the text's tokens have a numeric repair; a text without tokens is not.
bool isNumericCell(std::string_view text);

// A one-character token that is noise rather than content; rest is the text's other tokens.
bool isJunkToken(std::string_view token, const std::vector<std::string>& rest);

// Junk tokens dropped from both ends, a bar glued to either end removed, blanks collapsed.
std::string stripJunk(std::string_view text);

// Cyrillic or Greek look-alikes inside a Latin token replaced by Latin letters.
std::string fixHomoglyphs(std::string_view token, bool latinContext);

// One character (grapheme cluster) with a scalar in U+0370...U+04FF.
bool isCyrillicOrGreek(std::string_view character);

}  // namespace VozudOzev::CellTextCleaner
