#pragma once

#include <QFont>

// Font rules: Inter when it is installed or registered, else the system font.
namespace Kestrow::Typography {
bool interAvailable();
// Interface text at a point size and weight.
QFont ui(double size, QFont::Weight weight);
// Key cap labels: ui(11, medium).
QFont keycap();
// The product word: a display face when present, else the system font; semibold.
QFont wordmark(double size);
// Numbers that must line up (grid cells, the overlay's size label): Inter regular or bold
// only (bold for semibold and bold), else a font whose digits are tabular by default.
QFont grid(double size, QFont::Weight weight);
}  // namespace Kestrow::Typography
