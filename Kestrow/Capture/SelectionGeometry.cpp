#include "Kestrow/Capture/SelectionGeometry.hpp"

#include <QRect>

#include <cmath>

namespace Kestrow::SelectionGeometry {

QRectF rectBetween(QPointF a, QPointF b) {
    // Not QRect::normalized: it counts both edges and gives 201 x 101 for a 200 x 100 drag.
    return QRectF(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(a.x() - b.x()), std::abs(a.y() - b.y()));
}

bool isLargeEnough(const QRectF& r) { return r.width() >= 8 && r.height() >= 8; }

QString sizeLabel(const QRectF& r) {
    return QStringLiteral("%1 \u00D7 %2").arg(qint64(std::trunc(r.width()))).arg(qint64(std::trunc(r.height())));
}

QRectF labelRect(const QRectF& selection, QSizeF textSize, const QRectF& bounds) {
    const double w = textSize.width() + 12, h = textSize.height() + 6;
    double y = selection.bottom() + 4;
    if (y + h > bounds.bottom()) y = selection.bottom() - 4 - h;
    double x = std::max(selection.left(), bounds.left());
    x = std::min(x, bounds.right() - w);
    return QRectF(x, y, w, h);
}

QRectF hintRect(QSizeF textSize, const QRectF& bounds, double topInset) {
    const double w = textSize.width() + 32, h = textSize.height() + 16;
    return QRectF(bounds.center().x() - w / 2, bounds.top() + topInset + 16, w, h);
}

double topInset(const QRect& geometry, const QRect& available) {
    return std::max(double(available.top() - geometry.top()), 24.0);
}

}  // namespace Kestrow::SelectionGeometry
