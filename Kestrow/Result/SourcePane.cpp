#include "Kestrow/Result/SourcePane.hpp"

#include "Kestrow/Result/ResultExports.hpp"
#include "Kestrow/Result/WindowPalette.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace Kestrow {

class SourceCanvas : public QWidget {
public:
    SourceCanvas(QImage image, double scale, const WindowPalette& palette, QWidget* parent)
        : QWidget(parent), image_(std::move(image)), scale_(scale > 0 ? scale : 1), palette_(palette)
    {
        resizeToZoom();
    }

    QSizeF imagePoints() const { return QSizeF(image_.width() / scale_, image_.height() / scale_); }
    double zoom = 1;
    std::optional<VozudOzev::BBox> highlight;

    void resizeToZoom()
    {
        const QSizeF points = imagePoints() + QSizeF(2 * SourcePane::margin, 2 * SourcePane::margin);
        setFixedSize((points * zoom).toSize());
        update();
    }

    QRectF highlightRect() const
    {
        if (!highlight || !(highlight->w > 0) || !(highlight->h > 0))
            return {};
        const double k = zoom / scale_;
        return QRectF(SourcePane::margin * zoom + highlight->x * k, SourcePane::margin * zoom + highlight->y * k,
                      highlight->w * k, highlight->h * k);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const double m = SourcePane::margin * zoom;
        p.drawImage(QRectF(QPointF(m, m), imagePoints() * zoom), image_);
        const QRectF box = highlightRect();
        if (!box.isEmpty()) {
            QColor fill = palette_.accent;
            fill.setAlphaF(0.16);
            p.fillRect(box, fill);
            p.setPen(QPen(palette_.accent, 2));
            p.drawRect(box);
        }
    }

private:
    QImage image_;
    double scale_;
    const WindowPalette& palette_;
};

namespace {

QPushButton* zoomButton(const QString& text, const QString& label, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setToolTip(label);
    button->setAccessibleName(label);
    button->setFixedSize(28, 24);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

}  // namespace

SourcePane::SourcePane(QImage image, double scale, bool dark, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sourcePane"));
    const WindowPalette& p = WindowPalette::forDark(dark);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, p.bar);
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (ResultExports::isPlaceholder(image)) {
        auto* none = new QLabel(tr("No image was kept for this capture."), this);
        none->setObjectName(QStringLiteral("noImage"));
        none->setAlignment(Qt::AlignCenter);
        none->setStyleSheet(QStringLiteral("color: %1;").arg(p.muted.name()));
        layout->addWidget(none);
        return;
    }
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: %1; }").arg(p.bar.name()));
    canvas_ = new SourceCanvas(std::move(image), scale, p, scroll_);
    scroll_->setWidget(canvas_);
    layout->addWidget(scroll_);

    // Over the top-right corner, as the view's own controls.
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* out = zoomButton(QStringLiteral("−"), tr("Zoom out"), buttons);
    auto* fitButton = zoomButton(QStringLiteral("⤢"), tr("Fit image"), buttons);
    auto* in = zoomButton(QStringLiteral("+"), tr("Zoom in"), buttons);
    out->setObjectName(QStringLiteral("zoomOut"));
    fitButton->setObjectName(QStringLiteral("fitImage"));
    in->setObjectName(QStringLiteral("zoomIn"));
    row->addWidget(out);
    row->addWidget(fitButton);
    row->addWidget(in);
    connect(out, &QPushButton::clicked, this, [this] { zoomBy(0.8); });
    connect(fitButton, &QPushButton::clicked, this, [this] { fit(); });
    connect(in, &QPushButton::clicked, this, [this] { zoomBy(1.25); });
    buttons->setObjectName(QStringLiteral("zoomButtons"));
    buttons->adjustSize();
}

void SourcePane::setHighlight(const std::optional<VozudOzev::BBox>& box)
{
    if (!canvas_)
        return;
    canvas_->highlight = box;
    canvas_->update();
    const QRectF rect = canvas_->highlightRect();
    if (!rect.isEmpty())
        scroll_->ensureVisible(static_cast<int>(rect.center().x()), static_cast<int>(rect.center().y()),
                               static_cast<int>(rect.width() / 2 + 20), static_cast<int>(rect.height() / 2 + 20));
}

std::optional<VozudOzev::BBox> SourcePane::highlight() const
{
    return canvas_ ? canvas_->highlight : std::nullopt;
}

double SourcePane::magnification() const
{
    return canvas_ ? canvas_->zoom : 1;
}

void SourcePane::zoomBy(double factor)
{
    if (!canvas_)
        return;
    QScrollBar* h = scroll_->horizontalScrollBar();
    QScrollBar* v = scroll_->verticalScrollBar();
    const double old = canvas_->zoom;
    const double next = std::clamp(old * factor, minZoom, maxZoom);
    const QPointF centre((h->value() + scroll_->viewport()->width() / 2.0) / old,
                         (v->value() + scroll_->viewport()->height() / 2.0) / old);
    canvas_->zoom = next;
    canvas_->resizeToZoom();
    h->setValue(static_cast<int>(centre.x() * next - scroll_->viewport()->width() / 2.0));
    v->setValue(static_cast<int>(centre.y() * next - scroll_->viewport()->height() / 2.0));
}

void SourcePane::fit()
{
    if (!canvas_)
        return;
    const double canvasWidth = canvas_->imagePoints().width() + 2 * margin;
    canvas_->zoom = std::clamp(scroll_->viewport()->width() / canvasWidth, minZoom, 1.0);
    canvas_->resizeToZoom();
}

bool SourcePane::hasImage() const
{
    return canvas_ != nullptr;
}

void SourcePane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (auto* buttons = findChild<QWidget*>(QStringLiteral("zoomButtons"))) {
        buttons->move(width() - buttons->width() - 8 - 12, 8);
        buttons->raise();
    }
}

void SourcePane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Fitted once, after the window's layout has given the pane its width.
    if (canvas_ && !fitted_) {
        fitted_ = true;
        QTimer::singleShot(0, this, &SourcePane::fit);
    }
}

}  // namespace Kestrow
