#include "Kestrow/Shell/OverlayTokens.hpp"

#include "Kestrow/Shell/HUDTokens.hpp"

namespace Kestrow::OverlayTokens {

QColor dim() {
    QColor c(Qt::black);
    c.setAlphaF(0.35f);
    return c;
}
QColor selectionStroke() {
    QColor c(Qt::white);
    c.setAlphaF(0.9f);
    return c;
}
QColor labelFill() { return HUDTokens::fill(); }
QColor labelText() { return HUDTokens::text(); }

}  // namespace Kestrow::OverlayTokens
