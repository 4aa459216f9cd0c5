#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"
#include "VozudOzev/Model/BBox.hpp"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Finds columns of running row numbers, re-reads their empty cells and accepts a reading
// only when it is exactly the number the run expects there. Never invents a number.
namespace VozudOzev::SequenceDigitCheck {

// Reads the text inside a box of the image; nothing when none was read. May throw.
using Reread = std::function<std::optional<std::string>(const BBox& box)>;

// Index of an empty cell in cells -> the number its running column expects there.
std::map<std::size_t, int> expectations(const std::vector<AssembledCell>& cells);

// Re-reads the expected cells and fills those read as exactly the expected number;
// returns how many. An exception of reread ends the check and is passed on.
int apply(std::vector<AssembledCell>& cells, const Reread& reread);

}  // namespace VozudOzev::SequenceDigitCheck
