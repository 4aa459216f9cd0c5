#pragma once

#include "VozudOzev/Platform/DongSign.hpp"

#include <vector>

namespace VozudOzev::WordGaps {

// A word's characters in the groups the page draws apart: a new group wherever the blank
// between two characters is at least minGap wide and the step between them is wider than
// the word's other steps (monospace text leaves wide blanks beside narrow glyphs). Recognisers often read "14 %", "1 234" or
// "Phở bò" as one word when the space is narrow; the gap in the ink still shows it.
std::vector<std::vector<DongSign::Symbol>> split(const std::vector<DongSign::Symbol>& symbols, double minGap);

// Whether the page's words are surely set in a proportional font: their characters' centres
// stand at uneven distances. In a monospace font narrow characters leave wide blanks inside
// words ("1.5", "il"), and the recogniser's own word breaks already follow the character
// cells; with too few words to tell, the answer is no.
bool proportional(const std::vector<std::vector<DongSign::Symbol>>& words);

// The smallest blank between the characters that is a space: a share of their median height.
double spaceGap(const std::vector<DongSign::Symbol>& symbols);

}  // namespace VozudOzev::WordGaps
