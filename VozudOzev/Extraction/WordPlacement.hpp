#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"
#include "VozudOzev/Model/Cell.hpp"
#include "VozudOzev/OCR/OCRWord.hpp"
#include "VozudOzev/Model/StructureFile.hpp"

#include <cstddef>
#include <optional>
#include <vector>

// Joins predicted cells and OCR words: which cell receives each word, the reading order
// inside a cell, and the working cell that the repair passes operate on.
namespace VozudOzev::WordPlacement {

// A structure box in captured-image pixels.
BBox scaled(const BBox& box, double sx, double sy);

// The indices of the words each cell receives, one list per cell in cell order. Words
// already in `placed` are skipped; every word placed here enters it. Boxes are scaled.
std::vector<std::vector<std::size_t>> place(const std::optional<BBox>& tableBox,
                                            const std::vector<std::optional<BBox>>& cellBoxes,
                                            const std::vector<OCRWord>& words, std::vector<bool>& placed);

// Top to bottom, left to right; stable even when the comparison is not transitive.
void sortReadingOrder(std::vector<OCRWord>& words);

// The working cell of one predicted cell and its words (already in reading order).
AssembledCell assembled(const StructureFile::SCell& cell, const std::optional<BBox>& box,
                        const std::vector<OCRWord>& words);

// The finished cell: no flags, a header mark only when true.
Cell toCell(const AssembledCell& cell);

}  // namespace VozudOzev::WordPlacement
