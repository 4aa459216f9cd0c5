#pragma once

#include <QColor>
#include <QPalette>

namespace Kestrow {

// The colour tokens the history views paint with, light or dark after the widget's palette.
// Stands in for the application theme until the views take it from there.
struct HistoryPalette {
    QColor window;
    QColor bar;
    QColor card;
    QColor hairline;
    QColor text;
    QColor muted;
    QColor flagText;
    QColor accent;

    static HistoryPalette from(const QPalette& palette)
    {
        const bool dark = palette.color(QPalette::Window).lightness() < 128;
        if (dark)
            return {QColor(0x1e, 0x1f, 0x22), QColor(0x26, 0x27, 0x2b), QColor(0x33, 0x35, 0x3a), QColor(0x3d, 0x3f, 0x45),
                    QColor(0xec, 0xec, 0xee), QColor(0x9a, 0x9c, 0xa3), QColor(0xff, 0x9f, 0x43), QColor(0x4c, 0x9a, 0xff)};
        return {QColor(0xfa, 0xfa, 0xfb), QColor(0xf1, 0xf2, 0xf4), QColor(0xe6, 0xe8, 0xec), QColor(0xd9, 0xdb, 0xe0),
                QColor(0x1d, 0x1e, 0x21), QColor(0x6b, 0x6e, 0x76), QColor(0xc2, 0x5e, 0x00), QColor(0x1f, 0x6f, 0xeb)};
    }
};

}  // namespace Kestrow
