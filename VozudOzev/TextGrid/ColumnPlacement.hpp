#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include <optional>
#include <utility>
#include <vector>

namespace VozudOzev {

// Which columns a phrase belongs to, judged by the text the columns hold rather than by the
// bands between their gaps: a header wider than the right-aligned numbers under it reaches
// into the gap beside them, and must not be drawn into the column on the other side.
struct ColumnPlacement {
    using Band = TextGridEngine::Band;
    using Span = std::pair<int, int>;  // first and last column

    // Each column's inked extent: where the rows' text stands, as the shared gaps are found
    // (a lone wide header does not count); nothing for a column without such text.
    static std::vector<std::optional<Band>> textOf(const std::vector<TextGridEngine::Row>& rows,
                                                   const std::vector<Band>& columns, double minGap);

    // The columns of `span` whose text the box covers for at least half of the narrower of
    // the two; `span` itself when it covers none.
    static Span narrowed(const BBox& box, Span span, const std::vector<std::optional<Band>>& text);

    // One row's phrases, left to right: a phrase standing wholly in a gap (over no column's
    // text), or over two columns without half the text of either, takes the column of a
    // neighbour at most `phraseGap` away, the nearer one; the
    // words of a header in a monospace listing ("Lượt truy cập") stay together that way.
    // Returns how many phrases moved.
    static int attachStrays(const std::vector<BBox>& boxes, std::vector<Span>& spans,
                            const std::vector<std::optional<Band>>& text, double phraseGap);

    struct Moves {
        int narrowed = 0;  // phrases kept off a column they only reach into
        int strays = 0;    // phrases in a gap that went with a neighbour
    };
    // The columns of each phrase of one row, in the row's order: the bands its ends fall in
    // (ends inset by a little, `h` the text height), narrowed to the columns whose text it
    // stands over; strays attached when a phrase gap is given (monospace text).
    static std::vector<Span> spansOf(const TextGridEngine::Row& row, const std::vector<Band>& columns,
                                     const std::vector<std::optional<Band>>& text, double h,
                                     std::optional<double> phraseGap, Moves& moves);
};

}  // namespace VozudOzev
