#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"
#include "VozudOzev/Repair/CropReading.hpp"

#include <vector>

// In a column that writes decimal commas, a cell read with a decimal point is more likely
// a misread comma than a different style. The check re-reads such cells and never
// changes a digit.
namespace VozudOzev::DecimalSeparatorCheck {

struct Counts {
    int confirmed = 0;  // re-read with the column's decimal comma and the same digits
    int reread = 0;     // re-read without confirmation: text kept, confidence capped
    int flagged = 0;    // no box to re-read: text kept, confidence capped

    int total() const { return confirmed + reread + flagged; }
    bool operator==(const Counts&) const = default;
};

struct Options {
    bool preferComma = false;  // settles an equal count of comma and point forms
    bool extended = false;     // one comma form is evidence enough, not two
};

// A column writes decimal commas when its body cells holding one number show more
// comma-decimal than point-decimal forms, at least two of them (one when extended).
// Cells of the point form in such a column are re-read. Every cell counted keeps at most
// the re-read confidence.
Counts apply(std::vector<AssembledCell>& cells, const Options& options, const CropReading::Reader& reread);

}  // namespace VozudOzev::DecimalSeparatorCheck
