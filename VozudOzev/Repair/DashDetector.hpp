#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <optional>
#include <string>

// Reads a lone dash drawn in a cell that OCR left empty (or read as a dash), from the
// pixels of the cell box alone.
namespace VozudOzev::DashDetector {

// "-", "–" or "—" by the bar's width against textHeight; nothing unless the box holds
// exactly one short, thin, level bar near its middle. In component mode stray specks are
// ignored; otherwise any other ink refuses the reading.
std::optional<std::string> detect(const Image& image, const BBox& box, double textHeight, bool componentMode);

}  // namespace VozudOzev::DashDetector
