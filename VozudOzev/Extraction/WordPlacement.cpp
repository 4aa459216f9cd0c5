#include "VozudOzev/Extraction/WordPlacement.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev::WordPlacement {

namespace {

// b (later in the list) goes before a.
bool comesBefore(const OCRWord& b, const OCRWord& a)
{
    const double dy = b.bbox.midY() - a.bbox.midY();
    if (std::abs(dy) > 0.5 * std::min(a.bbox.h, b.bbox.h))
        return dy < 0;
    return b.bbox.x < a.bbox.x;
}

}  // namespace

BBox scaled(const BBox& b, double sx, double sy)
{
    return {b.x * sx, b.y * sy, b.w * sx, b.h * sy};
}

std::vector<std::vector<std::size_t>> place(const std::optional<BBox>& tableBox,
                                            const std::vector<std::optional<BBox>>& cellBoxes,
                                            const std::vector<OCRWord>& words, std::vector<bool>& placed)
{
    std::vector<std::vector<std::size_t>> byCell(cellBoxes.size());
    if (placed.size() < words.size())
        placed.resize(words.size(), false);
    for (std::size_t wi = 0; wi < words.size(); ++wi) {
        if (placed[wi])
            continue;
        const BBox& wb = words[wi].bbox;
        if (tableBox && wb.intersectionArea(*tableBox) < 0.5 * std::max(wb.area(), 0.0))
            continue;
        std::optional<std::size_t> target;
        for (std::size_t ci = 0; ci < cellBoxes.size(); ++ci)
            if (cellBoxes[ci] && cellBoxes[ci]->contains(wb.midX(), wb.midY())) {
                target = ci;
                break;
            }
        if (!target && !cellBoxes.empty()) {
            std::size_t best = 0;
            double bestArea = 0;
            if (cellBoxes.size() == 1) {
                bestArea = cellBoxes[0] ? wb.intersectionArea(*cellBoxes[0]) : 0;
            } else {
                bestArea = -1;
                for (std::size_t ci = 0; ci < cellBoxes.size(); ++ci) {
                    const double a = cellBoxes[ci] ? wb.intersectionArea(*cellBoxes[ci]) : 0;
                    if (a > bestArea) {
                        bestArea = a;
                        best = ci;
                    }
                }
            }
            if (cellBoxes[best] && bestArea > 0)
                target = best;
        }
        if (target) {
            byCell[*target].push_back(wi);
            placed[wi] = true;
        }
    }
    return byCell;
}

void sortReadingOrder(std::vector<OCRWord>& words)
{
    // Insertion sort asks only whether a later word comes before an earlier one, so a
    // comparison that is not transitive cannot break it and equal words keep their order.
    for (std::size_t i = 1; i < words.size(); ++i)
        for (std::size_t j = i; j > 0 && comesBefore(words[j], words[j - 1]); --j)
            std::swap(words[j], words[j - 1]);
}

AssembledCell assembled(const StructureFile::SCell& cell, const std::optional<BBox>& box,
                        const std::vector<OCRWord>& words)
{
    AssembledCell a;
    a.row = cell.row;
    a.col = cell.col;
    a.rowSpan = std::max(cell.rowSpan, 1);
    a.colSpan = std::max(cell.colSpan, 1);
    a.header = cell.header.value_or(false);
    a.box = box;
    for (const OCRWord& w : words) {
        if (!a.text.empty() || a.textBox)
            a.text += ' ';
        a.text += w.text;
        a.confidence = a.confidence ? std::min(*a.confidence, w.confidence) : w.confidence;
        a.textBox = a.textBox ? a.textBox->unite(w.bbox) : w.bbox;
    }
    return a;
}

Cell toCell(const AssembledCell& a)
{
    Cell c;
    c.row = a.row;
    c.col = a.col;
    c.rowSpan = a.rowSpan;
    c.colSpan = a.colSpan;
    c.text = a.text;
    c.confidence = a.confidence;
    c.bbox = a.box;
    if (a.header)
        c.header = true;
    return c;
}

}  // namespace VozudOzev::WordPlacement
