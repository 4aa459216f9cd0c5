#pragma once

#include "Kestrow/Shell/Palette.hpp"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
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
    // Measured once: every painted slot needs them.
    QFontMetricsF fontMetrics;
    QFontMetricsF headerMetrics;
    QFontMetricsF gutterMetrics;
    // Names the palette: the grid restyles only when it changes.
    QString key;

    explicit GridStyle(const Palette& palette);
};

}  // namespace Kestrow
