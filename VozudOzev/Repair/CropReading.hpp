#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"
#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/OCR/TextOCR.hpp"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Reading one box of the image again, on its own, for the passes that re-read cells.
namespace VozudOzev::CropReading {

// The text read inside a box, or nothing; may throw the recogniser's error.
using Reader = std::function<std::optional<std::string>(const BBox& box)>;

// A text that came from a re-read crop is never more trusted than one read with the
// page: its confidence stays below the trust threshold so that the cell gets checked.
inline constexpr double maxConfidence = 0.5;

// The cell's confidence capped at maxConfidence (an absent one becomes maxConfidence).
void cap(AssembledCell& cell);

// What a number cell can hold: digits, separators, signs, brackets, currency marks and codes.
inline constexpr std::string_view numberCharacters =
    "0123456789.,-()%\u00A5\u20AC$\u20AB\u00A3\u0111EURUSDVN\u2014\u2013 ";

// The box padded by 6 px and clamped to the image, enlarged `scale` times onto white and
// recognised with `ocr` but no minimum text height, reading only `characters` when given;
// the line texts joined by a blank.
// Nothing when the crop is under 2 px either way or nothing was read.
std::optional<std::string> read(const TextOCR& ocr, const Image& image, const BBox& box, double scale = 3.0,
                                std::string_view characters = {});

}  // namespace VozudOzev::CropReading
