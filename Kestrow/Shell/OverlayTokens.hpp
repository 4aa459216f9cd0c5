#pragma once

#include <QColor>

// Colours of the region-selection overlay.
namespace Kestrow::OverlayTokens {
QColor dim();              // black at 0.35
QColor selectionStroke();  // white at 0.9
QColor labelFill();        // the pills' fill
QColor labelText();        // the pills' text
}  // namespace Kestrow::OverlayTokens
