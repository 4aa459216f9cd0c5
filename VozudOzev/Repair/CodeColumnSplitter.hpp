#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"
#include "VozudOzev/OCR/OCRWord.hpp"

#include <vector>

// Line-item codes ("A-102", "4.1.2") that the structure model merged with the description
// beside them are split into a column of their own.
namespace VozudOzev::CodeColumnSplitter {

// words: each cell's words in reading order, parallel to cells. A column is split only
// when at least three of its body cells, and four in five of its filled ones, read as
// one line "code, gap wider than textHeight, description", and one vertical gap separates
// every code from every description. Returns the new column count (cols when nothing
// changed); the cells right of the split move one column on.
int split(std::vector<AssembledCell>& cells, const std::vector<std::vector<OCRWord>>& words, int cols,
          double textHeight);

}  // namespace VozudOzev::CodeColumnSplitter
