#pragma once

#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/Repair/CropReading.hpp"

#include <string>
#include <vector>

// The number checks of the text roads, run on a recognised table before anyone trusts it:
// split groups joined, malformed numbers and point-decimals in comma columns re-read
// (the assembler's passes), lone dashes measured, and every number whose separators
// disagree with the ink under it, or whose shape breaks its column's, read once more.
// A text changes only for a reading that settles the doubt; every cell changed or
// doubted keeps at most the re-read confidence, so that it is flagged, never silently.
namespace VozudOzev::NumericCheck {

struct Counts {
    int joined = 0;      // split groups joined
    int malformed = 0;   // malformed numbers re-read (fixed or not)
    int decimals = 0;    // point decimals in comma columns re-read
    int dashes = 0;      // lone dashes measured as another dash
    int ink = 0;         // separators disagreeing with the ink
    int pattern = 0;     // shapes breaking their column's
    int fixed = 0;       // of ink and pattern doubts, settled by a new reading
    int column = 0;      // flagged in a column whose ink shows separators lost elsewhere, or
                         // whose other numbers were mostly read with low confidence

    bool operator==(const Counts&) const = default;
};

// `reread` serves the assembler's passes; a doubted number is read by `numberReaders` in
// turn until one reading settles the doubt.
Counts apply(Table& table, const Image& image, const CropReading::Reader& reread,
             const std::vector<CropReading::Reader>& numberReaders);

// The same, with one reader for all.
Counts apply(Table& table, const Image& image, const CropReading::Reader& reread);

// The same over `ocr`: a doubted number read at three times its size, then with number
// characters only at four times and at three (each settles doubts the others do not).
Counts apply(Table& table, const Image& image, const TextOCR& ocr);

// One note line for the counts, or nothing when no cell was touched.
std::vector<std::string> notes(const Counts& counts);

}  // namespace VozudOzev::NumericCheck
