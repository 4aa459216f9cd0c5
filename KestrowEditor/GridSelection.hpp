#pragma once

#include "KestrowEditor/CellRect.hpp"

#include <cstddef>
#include <functional>

namespace KestrowEditor {

// Where a selection started (anchor) and the current cell (focus).
struct GridSelection {
    CellPos anchor;
    CellPos focus;

    GridSelection(CellPos anchor, CellPos focus) : anchor(anchor), focus(focus) {}
    explicit GridSelection(CellPos pos) : anchor(pos), focus(pos) {}

    // The raw rectangle between the two ends, not grown over merged cells.
    CellRect rect() const { return CellRect(anchor, focus); }

    bool operator==(const GridSelection&) const = default;
};

}  // namespace KestrowEditor

template <>
struct std::hash<KestrowEditor::GridSelection> {
    std::size_t operator()(const KestrowEditor::GridSelection& s) const noexcept
    {
        std::hash<KestrowEditor::CellPos> h;
        return h(s.anchor) * 31 + h(s.focus);
    }
};
