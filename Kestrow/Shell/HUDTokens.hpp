#pragma once

#include <QColor>

// Colours of the floating pills (toasts, progress) and the overlay's labels.
namespace Kestrow::HUDTokens {
QColor fill();     // 28, 28, 30
QColor text();     // 245, 245, 247
QColor border();   // white at 0.32
QColor success();  // 89, 212, 153
QColor warning();  // 255, 197, 51
}  // namespace Kestrow::HUDTokens
