#include "Kestrow/Editor/SourceImageView.hpp"

#include "Kestrow/Editor/ImageZoom.hpp"
#include "Kestrow/Editor/SourceCanvas.hpp"

#include "KestrowEditor/SourceGeometry.hpp"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace Kestrow {

namespace SG = KestrowEditor::SourceGeometry;

SourceImageView::SourceImageView(SourceImage source, ImageZoom* zoom, QWidget* parent)
    : QGraphicsView(parent), source_(std::move(source))
{
    auto* scene = new QGraphicsScene(this);
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignCenter);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackgroundBrush(SourceCanvas::mat(dark_));
    if (!source_.isPlaceholder()) {
        canvas_ = new SourceCanvas(source_);
        scene->addItem(canvas_);
        scene->setSceneRect(canvas_->boundingRect());
    }
    if (zoom)
        zoom->view_ = this;
    // The first fit waits for the first layout, when the pane has its width.
    QTimer::singleShot(0, this, [this] { fitToWidth(); });
}

void SourceImageView::setInputs(const std::optional<VozudOzev::BBox>& highlight, const Palette& palette)
{
    // The dark palette has the dark window; the mat follows it.
    const bool dark = palette.window.lightnessF() < 0.5;
    if (dark != dark_) {
        dark_ = dark;
        setBackgroundBrush(SourceCanvas::mat(dark_));
    }
    if (!canvas_)
        return;
    QColor fill = palette.accent;
    fill.setAlphaF(0.16f);
    canvas_->setColours(palette.accent, fill, SourceCanvas::edge(dark_));
    if (highlight == canvas_->highlight())
        return;
    canvas_->setHighlight(highlight);
    if (!highlight)
        return;
    const auto r = SG::revealRect(*highlight, source_.pointScale());
    QTimer::singleShot(0, this, [this, r] {
        ++reveals_;
        ensureVisible(QRectF(r.x, r.y, r.w, r.h), 0, 0);
    });
}

std::optional<VozudOzev::BBox> SourceImageView::highlight() const
{
    return canvas_ ? canvas_->highlight() : std::nullopt;
}

double SourceImageView::magnification() const
{
    return transform().m11();
}

void SourceImageView::setMagnification(double m)
{
    setTransform(QTransform::fromScale(m, m));
}

void SourceImageView::zoomBy(double factor)
{
    // Keep the point in the middle of the pane in the middle.
    const QPointF centre = mapToScene(viewport()->rect().center());
    setMagnification(SG::zoomed(magnification(), factor));
    centerOn(centre);
}

void SourceImageView::fitToWidth()
{
    if (!canvas_)
        return;
    if (const auto m = SG::fitMagnification(viewport()->width(), canvas_->boundingRect().width()))
        setMagnification(*m);
}

void SourceImageView::drawForeground(QPainter* painter, const QRectF&)
{
    if (canvas_)
        return;
    painter->save();
    painter->resetTransform();
    painter->setPen(dark_ ? QColor(235, 235, 235) : QColor(60, 60, 60));
    painter->drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap,
                      QCoreApplication::translate("SourceImageView", "No image was kept for this capture."));
    painter->restore();
}

}  // namespace Kestrow
