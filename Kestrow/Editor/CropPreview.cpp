#include "Kestrow/Editor/CropPreview.hpp"

#include "Kestrow/Editor/GridStyle.hpp"

#include <QPainter>
#include <QPainterPath>

namespace Kestrow {

namespace {
// Room around the card for its shadow.
constexpr int shadowMargin = 8;
}  // namespace

CropPreview::CropPreview(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void CropPreview::apply(const GridStyle& style)
{
    background_ = style.card;
    border_ = style.hairline;
    update();
}

void CropPreview::show(const QImage& image, const QRectF& frame)
{
    image_ = image;
    frame_ = frame;
    setGeometry(frame.toAlignedRect().adjusted(-shadowMargin, -shadowMargin, shadowMargin, shadowMargin));
    update();
    QWidget::show();
    raise();
}

void CropPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card = frame_.translated(-pos());
    // A soft shadow a little below the card: rings of falling opacity.
    for (int i = 6; i >= 1; --i) {
        QPainterPath ring;
        ring.addRoundedRect(card.adjusted(-i, -i + 2, i, i + 2), 8 + i, 8 + i);
        p.fillPath(ring, QColor(0, 0, 0, int(0.25 * 255 / 6 * (7 - i) / 3.5)));
    }
    QPainterPath shape;
    shape.addRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.fillPath(shape, background_);
    p.setPen(QPen(border_, 1));
    p.drawPath(shape);
    if (image_.isNull())
        return;
    // Fit the image into the card's inner rectangle keeping its proportions; enlarged pixels
    // stay sharp.
    const QRectF inner = card.adjusted(4, 4, -4, -4);
    QSizeF size = QSizeF(image_.size()).scaled(inner.size(), Qt::KeepAspectRatio);
    const QRectF target(inner.center().x() - size.width() / 2, inner.center().y() - size.height() / 2, size.width(),
                        size.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(target, image_);
}

}  // namespace Kestrow
