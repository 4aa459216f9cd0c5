#pragma once

#include <QColor>

namespace Kestrow {

// The colour tokens the result and sample windows draw with, light and dark.
struct WindowPalette {
    QColor window, bar, card, hairline, ink, muted, primaryFill, primaryText, accent, flagFill, flagText, mismatch, ok;
    bool dark = false;

    static const WindowPalette& light();
    static const WindowPalette& darkPalette();
    static const WindowPalette& forDark(bool dark) { return dark ? darkPalette() : light(); }
};

}  // namespace Kestrow
