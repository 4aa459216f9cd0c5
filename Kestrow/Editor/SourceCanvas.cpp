#include "Kestrow/Editor/SourceCanvas.hpp"

#include "KestrowEditor/SourceGeometry.hpp"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Kestrow {

namespace SG = KestrowEditor::SourceGeometry;

SourceCanvas::SourceCanvas(SourceImage source) : source_(std::move(source)), stroke_(47, 107, 255), edge_(edge(true)) {}

QRectF SourceCanvas::boundingRect() const
{
    const auto size = SG::canvasSize(source_.image.width(), source_.image.height(), source_.scale);
    return {0, 0, size.w, size.h};
}

void SourceCanvas::setHighlight(std::optional<VozudOzev::BBox> box)
{
    if (box == highlight_)
        return;
    // Only where the mark was and where it goes: a 4K picture costs milliseconds a paint.
    if (highlight_)
        update(highlightRect(*highlight_));
    highlight_ = box;
    if (highlight_)
        update(highlightRect(*highlight_));
}

QRectF SourceCanvas::highlightRect(const VozudOzev::BBox& box) const
{
    const auto h = SG::canvasRect(box, source_.scale);
    // The stroke is two device pixels wide at any zoom, so the margin grows as the view shrinks.
    const qreal zoom = scene() && !scene()->views().isEmpty() ? scene()->views().front()->transform().m11() : 1;
    const qreal m = 2 / std::max(zoom, qreal(0.01)) + 1;
    return QRectF(h.x, h.y, h.w, h.h).adjusted(-m, -m, m, m);
}

void SourceCanvas::setColours(QColor stroke, QColor fill, QColor edge)
{
    if (stroke == stroke_ && fill == fill_ && edge == edge_)
        return;
    stroke_ = stroke;
    fill_ = fill;
    edge_ = edge;
    update();
}

QColor SourceCanvas::mat(bool dark)
{
    return dark ? QColor::fromRgbF(0.3f, 0.3f, 0.3f) : QColor::fromRgbF(0.82f, 0.82f, 0.82f);
}

QColor SourceCanvas::edge(bool dark)
{
    return dark ? QColor::fromRgbF(1, 1, 1, 0.22f) : QColor::fromRgbF(0, 0, 0, 0.18f);
}

void SourceCanvas::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QRectF b = boundingRect();
    const QRectF image = b.adjusted(SG::margin, SG::margin, -SG::margin, -SG::margin);
    p->setRenderHint(QPainter::Antialiasing);
    // The drop shadow: a little below the image, fading out over 8 points.
    for (int i = 8; i >= 1; --i) {
        QPainterPath ring;
        ring.addRoundedRect(image.adjusted(-i, -i + 2, i, i + 2), i, i);
        p->fillPath(ring, QColor(0, 0, 0, int(0.28 * 255 / 8 * (9 - i) / 4.5)));
    }
    p->setRenderHint(QPainter::SmoothPixmapTransform, true);
    p->drawImage(image, source_.image);
    QPen edgePen(edge_, 1);
    edgePen.setCosmetic(true);
    p->setPen(edgePen);
    p->setBrush(Qt::NoBrush);
    p->drawRect(image.adjusted(-0.5, -0.5, 0.5, 0.5));
    if (highlight_) {
        const auto h = SG::canvasRect(*highlight_, source_.scale);
        const QRectF r(h.x, h.y, h.w, h.h);
        p->fillRect(r, fill_);
        QPen pen(stroke_, 2);
        pen.setCosmetic(true);
        p->setPen(pen);
        p->drawRect(r);
    }
}

}  // namespace Kestrow
