#pragma once

#include <string>
#include <unordered_map>

// The text cleaner's constant tables that other passes read too. Kept apart from
// CellTextCleaner.hpp so that header holds only the pass itself.
namespace VozudOzev::CellTextCleaner {

// Character (one code point) to the digit OCR confuses it with: O, o and their Cyrillic and
// Greek twins to "0", l, I and twins to "1", б to "6", З and з to "3".
const std::unordered_map<std::string, std::string>& digitLookalikes();

}  // namespace VozudOzev::CellTextCleaner
