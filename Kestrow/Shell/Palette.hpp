#pragma once

#include <QColor>

#include <array>

namespace Kestrow {

// The fifteen colour tokens every window draws with, in a light and a dark variant.
struct Palette {
    QColor bg, window, bar, card, hairline, ink, muted, primaryFill, primaryText, accent;
    std::array<QColor, 2> progress;
    QColor flagFill, flagText, mismatch, ok;

    static const Palette& light();
    static const Palette& dark();
};

}  // namespace Kestrow
