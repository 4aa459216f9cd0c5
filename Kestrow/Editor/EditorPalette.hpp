#pragma once

#include <QColor>

namespace Kestrow {

// The colours the grid and the source pane draw with, in a light and a dark variant.
struct EditorPalette {
    bool isDark = true;
    QColor window;
    QColor card;
    QColor hairline;
    QColor ink;
    QColor muted;
    QColor accent;
    QColor flagFill;
    QColor flagText;
    QColor mismatch;

    static const EditorPalette& light();
    static const EditorPalette& dark();
};

}  // namespace Kestrow
