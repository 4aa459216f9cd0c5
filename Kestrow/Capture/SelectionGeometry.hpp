#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

// Where the overlay's pieces go, in a view's logical coordinates (top-left origin).
namespace Kestrow::SelectionGeometry {

// The rectangle between a drag's two corners, whichever way it went.
QRectF rectBetween(QPointF a, QPointF b);
// A selection ends the overlay only when both sides are at least 8 points.
bool isLargeEnough(const QRectF& r);
// "W × H" in whole logical points (truncated).
QString sizeLabel(const QRectF& r);
// The size pill (text size + 12 x 6): 4 points under the selection, or inside at its bottom
// when that would leave the view; shifted left to stay on screen.
QRectF labelRect(const QRectF& selection, QSizeF textSize, const QRectF& bounds);
// The hint capsule (text size + 32 x 16), centred, 16 points under the top inset.
QRectF hintRect(QSizeF textSize, const QRectF& bounds, double topInset);
// Space kept at the top: the desktop panel band, at least 24 points.
double topInset(const QRect& geometry, const QRect& available);

}  // namespace Kestrow::SelectionGeometry
