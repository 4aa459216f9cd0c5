#include "Kestrow/Shell/HUDTokens.hpp"

namespace Kestrow::HUDTokens {

QColor fill() { return QColor(28, 28, 30); }
QColor text() { return QColor(245, 245, 247); }
QColor border() {
    QColor c(Qt::white);
    c.setAlphaF(0.32f);
    return c;
}
QColor success() { return QColor(89, 212, 153); }
QColor warning() { return QColor(255, 197, 51); }

}  // namespace Kestrow::HUDTokens
