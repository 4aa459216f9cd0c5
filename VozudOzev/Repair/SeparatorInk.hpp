#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <optional>
#include <string>

// The small marks drawn on the baseline between digits (decimal and group separators),
// counted from the pixels of a text box, independently of any reading.
namespace VozudOzev::SeparatorInk {

// '-' for a minus sign before the digits (also one touching its digit in small print), then one character per separator, left to
// right: ',' when it drops two pixels or more below the baseline, '.' when it ends on
// it, '?' otherwise (small text). Nothing when the box holds too little
// ink to tell (fewer than two glyphs of text height, unless the one shows a minus).
std::optional<std::string> marks(const Image& image, const BBox& box);

// The height of the digits drawn in a text box (top to baseline, in pixels), or nothing
// when it holds fewer than two glyphs of text height.
std::optional<double> digitHeight(const Image& image, const BBox& box);

// Whether the ink shows what a reading lost: a minus sign it did not write, more
// separators than it wrote (NumberPattern::writtenMarks), or as many with one of a clear
// other kind. Fewer marks in the ink prove nothing: a small dot can touch its digit.
bool contradicts(const std::string& written, const std::string& marks);

}  // namespace VozudOzev::SeparatorInk
