#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev::OverlappingWords {

// Reads one box of the image again; nothing when nothing is read there.
using Reader = std::function<std::optional<std::string>(const BBox&)>;

// A word that sits between two text rows (a label centred on rows it spans) is sometimes
// read as pieces on two lines whose boxes overlap ("Supoli" over "upplies"). Such pieces are
// read again as one box and replaced by that reading, a line of its own. Returns how many
// boxes were read again.
int rejoin(std::vector<OCRLine>& lines, const Reader& reread);

}  // namespace VozudOzev::OverlappingWords
