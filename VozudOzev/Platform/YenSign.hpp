#pragma once

#include "VozudOzev/Platform/DongSign.hpp"
#include "VozudOzev/Platform/PageWord.hpp"

#include <cstdint>
#include <vector>

namespace VozudOzev::YenSign {

// Whether the glyph in box is drawn as ¥: a Y whose arms stand apart at the top, whose stem
// stands centred and narrow at the foot, with a bar (or two) across most of its width below
// the arms. The page's ink is darker than its background.
bool drawnAt(const std::vector<std::uint8_t>& grey, int width, int height, int background, const BBox& box);

// An amount whose yen sign the recogniser read as a digit or a Y ("2100", "4334", "Y12")
// gets the sign back when its first character is drawn as ¥. symbols are the word's
// characters, in the page's pixels.
void restore(PageWord& word, const std::vector<DongSign::Symbol>& symbols, const std::vector<std::uint8_t>& grey,
             int width, int height, int background);

}  // namespace VozudOzev::YenSign
