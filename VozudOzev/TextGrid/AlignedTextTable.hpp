#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"
#include "VozudOzev/OCR/TextSegment.hpp"

#include <optional>
#include <utility>
#include <vector>

namespace VozudOzev {

// Cuts text laid out in aligned columns (plain, unruled) into tables, one per vertical
// block of rows. Lengths are in estimated character widths or in row pitches.
struct AlignedTextTable {
    // A run of words of one line, with the words kept so that it can be divided again.
    struct Segment {
        TextSegment seg;
        std::vector<OCRWord> words;  // left to right
    };
    using Row = std::vector<Segment>;  // left to right
    using Block = std::vector<Row>;    // top to bottom
    using Band = TextGridEngine::Band;

    double segmentGapChars = 1.5;    // a wider gap between words starts a new segment
    double blockGapPitch = 1.5;      // a wider step between row centres starts a new block
    double minColumnGapChars = 1.2;  // narrowest gap that separates two columns
    double edgeTrimChars = 0.6;      // segment edges ignored when fitting segments to columns

    // Tables in block order, indexed from 0; none when the text is not column-aligned.
    std::vector<Table> build(const std::vector<OCRLine>& lines) const;

    // The median width per character over the words that have a width; nothing when none has.
    static std::optional<double> charWidth(const std::vector<OCRWord>& words);

    // Whether `block` continues the columns of `above`: both have at least two columns and
    // each column of `block` lies within one column of `above`, no two in the same one.
    bool fits(const Block& block, const Block& above, double h, double cw, const TextGridEngine& grid) const;

    // The table of one block, or nothing when it has fewer than two columns or fewer than
    // two rows with text in two or more columns.
    std::optional<Table> table(const Block& block, double h, double cw, const TextGridEngine& grid) const;

    // A segment reaching over the columns span.first...span.second divided among them: each
    // word goes to the column whose text (`col`, the columns' inked extents) holds its centre.
    // One piece, at span.first, when all land in one column or a word lies between columns.
    static std::vector<std::pair<int, Segment>> splitAcrossColumns(const Segment& segment, std::pair<int, int> span,
                                                                   const std::vector<Band>& col);

    // The segment with its box narrowed by `by` on each side, down to its centre line at most.
    static Segment shrunk(const Segment& segment, double by);

private:
    // The columns' inked extents, and the bands between the gaps' midpoints, of one block.
    std::vector<Band> textColumnsOf(const Block& block, double cw, const TextGridEngine& grid) const;
    std::vector<Band> columnsOf(const Block& block, double cw, const TextGridEngine& grid) const;
};

}  // namespace VozudOzev
