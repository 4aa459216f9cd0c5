#include "Kestrow/Help/SamplePicture.hpp"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Kestrow {

SamplePicture::SamplePicture(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("Sample table: Q3 2026 revenue by region, 8 rows and 6 columns"));
}

void SamplePicture::setImage(QImage image, QColor border)
{
    image_ = std::move(image);
    border_ = border;
    update();
}

QRectF SamplePicture::pictureRect() const
{
    if (image_.isNull() || width() <= 0 || height() <= 0)
        return {};
    // The picture's own size in points: its pixels over the pixels per point it was made at.
    // Dots per metre are whole numbers: round the ratio to a quarter.
    const double ratio = std::max(1.0, std::round(image_.dotsPerMeterX() * 0.0254 / 72.0 * 4) / 4);
    const QSizeF natural(image_.width() / ratio, image_.height() / ratio);
    const double factor = std::min({1.0, width() / natural.width(), height() / natural.height()});
    const QSizeF shown = natural * factor;
    return QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

void SamplePicture::paintEvent(QPaintEvent*)
{
    const QRectF target = pictureRect();
    if (target.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(target, 6, 6);
    p.setClipPath(clip);
    p.drawImage(target, image_);
    p.setClipping(false);
    p.setPen(QPen(border_, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(target.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

}  // namespace Kestrow
