#pragma once

#include "Kestrow/Editor/EditorPalette.hpp"

#include <QColor>
#include <QFont>
#include <QString>

namespace Kestrow {

// Colours and fonts of the grid, taken from the palette.
struct GridStyle {
    QColor window;
    QColor header;
    QColor hairline;
    QColor ink;
    QColor muted;
    QColor flagFill;
    QColor flagText;
    QColor mismatch;
    QColor selFill;
    QColor selStroke;
    QColor card;
    QFont font;
    QFont headerFont;
    QFont gutterFont;
    // Names the palette: the grid restyles only when it changes.
    QString key;

    explicit GridStyle(const EditorPalette& palette);

    // Interface fonts at a size in points of the layout (one point is one device-independent
    // pixel, as on the rest of the interface).
    static QFont gridFont(double size, QFont::Weight weight);
    static QFont uiFont(double size, QFont::Weight weight);
};

}  // namespace Kestrow
