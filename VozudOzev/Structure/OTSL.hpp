#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

// OTSL structure tags to grid cells. Rows end at "nl"; a cell opens with "fcel", "ecel",
// "ched", "rhed" or "srow", spans right over the "lcel" (or "xcel") after it and down over
// the "ucel" (or "xcel") below it.
namespace VozudOzev::OTSL {

struct RawCell {
    int cellId = 0;  // order of the opening tags
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
    std::string label;          // the opening tag
    std::array<double, 4> box;  // l, t, r, b in the units of the table box

    bool operator==(const RawCell&) const = default;
};

struct Cells {
    std::vector<RawCell> cells;
    int rows = 0;
    int cols = 0;
    std::vector<std::string> rsSeq;  // the generated tags, without the leading "<start>" and closing "<end>"

    bool operator==(const Cells&) const = default;
};

// The cells of a decoded sequence. `boxes` (cx, cy, w, h in 0..1 of the table) are the
// decoder's, one per state it collected after merging spans: the decoder's collection
// rules are replayed to find which cell each box belongs to (the cell of the tag read at
// the step that collected it). A cell that gets no box takes the bands of its row and
// column, or an empty box at the table's top left. Ids missing from `revWordMap` count as
// tags that are no cells. `classes` are not needed here.
Cells cells(const std::vector<int>& sequence, const std::vector<std::array<float, 4>>& boxes,
            const std::vector<int>& classes, const std::map<int, std::string>& revWordMap,
            const std::array<double, 4>& tableBox);

// A sequence that gives no usable table: no cell tag, or as many tags as the decoder may
// write (it never ended).
bool isDegenerate(const std::vector<std::string>& rsSeq, int maxSteps);

}  // namespace VozudOzev::OTSL
