#pragma once

#include "VozudOzev/Model/AssembledCell.hpp"
#include "VozudOzev/Repair/CropReading.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

// Re-reads predicted cells that received no word: OCR of the whole page sometimes misses
// short texts that a crop of the cell alone gives back.
namespace VozudOzev::EmptyCellReader {

// Whether a placed word covers more than a fifth of the smaller of its own and the
// cell's area; its text then went elsewhere and the cell is not really empty.
bool overlapsPlacedWord(const BBox& cell, const std::vector<BBox>& placedWords);

// Fills empty cells with a box at least half a text height tall, free of placed words,
// and holding ink of glyph height that is neither a ruling line nor part of a placed word
// (a blank cell framed by rules is never read: the recogniser makes letters of the lines). A reading with no
// letter or digit, or one that repeats a neighbour's text (the crop reached into it), is
// refused. A filled cell gets the re-read confidence and its box as text box. Returns how
// many were filled; reread errors are passed on.
int fill(std::vector<AssembledCell>& cells, const Image& image, const std::vector<BBox>& placedWords,
         double textHeight, const CropReading::Reader& reread);

}  // namespace VozudOzev::EmptyCellReader
