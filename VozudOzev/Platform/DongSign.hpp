#pragma once

#include "VozudOzev/Platform/PageWord.hpp"

#include <string>
#include <vector>

namespace VozudOzev::DongSign {

// One character of a word as the recogniser read it.
struct Symbol {
    std::string text;
    BBox box;
};

// Whether a word may end in the dong sign read as a letter: đ, or d straight after a digit
// or alone.
bool endsWithDongLetter(const std::string& word);

// Adds the word to the line, the dong sign read as đ split off as "₫", a word of its own,
// when its box reaches clearly below the digits beside it. symbols are the word's characters.
void place(const std::vector<Symbol>& symbols, PageWord word, std::vector<PageWord>& line);

}  // namespace VozudOzev::DongSign
