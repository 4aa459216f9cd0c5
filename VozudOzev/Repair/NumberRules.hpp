#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"
#include "VozudOzev/Repair/CropReading.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Repairs of numbers that OCR split or garbled. None invents a digit: a text changes only
// by joining what was read, or by taking a new reading of the same crop.
namespace VozudOzev::NumberRules {

struct RereadCounts {
    int fixed = 0;
    int flagged = 0;

    bool operator==(const RereadCounts&) const = default;
};

// Whether the token (no blanks) is a number with consistent digit groups: a sign or
// bracket, digits grouped by threes with one separator (or Indian lakh groups), an
// optional decimal part after the other separator, a closing bracket or percent sign.
bool isWellFormedNumber(std::string_view token);

// Whether the token looks like a number (digits with "." or "," between them, an optional
// sign, bracket or percent sign) but no reading of its groups is consistent; dates and
// times are not numbers here.
bool isMalformedNumber(std::string_view token);

// "1.250. 000" -> "1.250.000": two blank-separated tokens are joined only when a
// separator touches the blank and the joined token is a well-formed grouped number.
std::string joinSplitGroups(const std::string& text);

// In each column whose amounts mostly carry the dong suffix "đ" or "₫", the look-alike
// "d" and the other spelling become the column's own, attached as the column writes it.
void unifyCurrencySuffix(std::vector<AssembledCell>& cells);

// Body cells holding one malformed number are re-read: a well-formed reading with the
// same digits (or one digit more) replaces the text (fixed); otherwise the text stays and
// the confidence is capped (flagged). Either way the cell keeps the re-read confidence.
RereadCounts rereadMalformed(std::vector<AssembledCell>& cells, const CropReading::Reader& reread);

// The ASCII digits of a text, in order.
std::string digitsOf(std::string_view text);

// Blanks collapsed to one and trimmed, as a cell text is written.
std::string collapsed(const std::string& text);

// The blank-separated tokens of a text, empty ones left out.
std::vector<std::string> tokens(const std::string& text);

}  // namespace VozudOzev::NumberRules
