#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <optional>
#include <string>

// Reads a lone dash drawn in a cell that OCR left empty (or read as a dash), from the
// pixels of the cell box alone.
namespace VozudOzev::DashDetector {

// Whether stray specks beside the bar are ignored or refuse the reading like any other ink.
enum class Specks { refuse, ignored };

// "-", "–" or "—" by the bar's width against textHeight; nothing unless the box holds
// exactly one short, thin, level bar near its middle.
std::optional<std::string> detect(const Image& image, const BBox& box, double textHeight, Specks specks);

}  // namespace VozudOzev::DashDetector
