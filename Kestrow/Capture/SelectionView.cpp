#include "Kestrow/Capture/SelectionView.hpp"

#include "Kestrow/Capture/SelectionGeometry.hpp"
#include "Kestrow/Shell/OverlayTokens.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Kestrow {

namespace {
QFont labelFont() { return Typography::grid(11, QFont::Medium); }

// A drag that leaves its screen keeps to the screen's edge: a selection never spans two screens.
QPointF clamped(QPointF p, const QRect& bounds) {
    return QPointF(std::clamp(p.x(), 0.0, double(bounds.width())), std::clamp(p.y(), 0.0, double(bounds.height())));
}
}  // namespace

SelectionView::SelectionView(FrozenFrame frame, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setWindowTitle(QStringLiteral("Vantrel selection"));
    setFrame(std::move(frame));
}

void SelectionView::setFrame(FrozenFrame frame) {
    frame_ = std::move(frame);
    // Dimming once here keeps each repaint during a drag a plain copy.
    dimmed_ = frame_.image.isNull() ? QImage() : dim(frame_.image);
    start_.reset();
    current_.reset();
    setGeometry(frame_.screen.geometry);
    update();
}

void SelectionView::releaseFrame() {
    frame_.image = QImage();
    dimmed_ = QImage();
    start_.reset();
    current_.reset();
}

QImage SelectionView::dim(const QImage& frame) {
    const QImage::Format f = frame.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied) {
        QImage out = frame.convertToFormat(QImage::Format_RGB32);
        QPainter p(&out);
        p.fillRect(out.rect(), OverlayTokens::dim());
        return out;
    }
    // Black at 35 % over an opaque screen is each channel times 0.65 (166 / 256): one pass that
    // reads the frame and writes the result, two channels per multiply.
    const int k = int(std::lround((1.0 - OverlayTokens::dim().alphaF()) * 256));
    QImage out(frame.size(), QImage::Format_RGB32);
    for (int y = 0; y < frame.height(); ++y) {
        const auto* src = reinterpret_cast<const quint32*>(frame.constScanLine(y));
        auto* dst = reinterpret_cast<quint32*>(out.scanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            const quint32 p = src[x];
            dst[x] = 0xff000000u | ((((p & 0x00ff00ffu) * quint32(k)) >> 8) & 0x00ff00ffu) |
                     ((((p >> 8) & 0x00ff00ffu) * quint32(k)) & 0x0000ff00u);
        }
    }
    return out;
}

QRect SelectionView::footprint() const {
    if (!start_ || !current_) return {};
    const QRectF r = SelectionGeometry::rectBetween(*start_, *current_);
    const QFontMetricsF fm(labelFont());
    const QSizeF textSize(fm.horizontalAdvance(SelectionGeometry::sizeLabel(r)), fm.height());
    const QRectF label = SelectionGeometry::labelRect(r, textSize, QRectF(rect()));
    return r.united(label).toAlignedRect().adjusted(-2, -2, 2, 2);
}

QImage SelectionView::render() {
    const double dpr = frame_.screen.devicePixelRatio;
    QImage out(QSize(int(std::lround(width() * dpr)), int(std::lround(height() * dpr))), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(dpr);
    out.fill(Qt::black);
    QPainter p(&out);
    paint(p);
    return out;
}

void SelectionView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paint(p);
}

void SelectionView::paint(QPainter& p) {
    const QRectF bounds(0, 0, width(), height());
    p.setRenderHint(QPainter::Antialiasing);
    // The frozen frame stands in for a see-through window: no compositor is needed.
    if (!dimmed_.isNull()) {
        p.drawImage(bounds, dimmed_);
    } else {
        p.fillRect(bounds, Qt::black);
        p.fillRect(bounds, OverlayTokens::dim());
    }

    const QFont font = labelFont();
    const QFontMetricsF fm(font);
    p.setFont(font);
    if (!start_ || !current_) {
        if (hint.isEmpty()) return;
        const QSizeF textSize(fm.horizontalAdvance(hint), fm.height());
        const QRectF pill = SelectionGeometry::hintRect(textSize, bounds, topInset);
        QPainterPath path;
        path.addRoundedRect(pill, pill.height() / 2, pill.height() / 2);
        p.fillPath(path, OverlayTokens::labelFill());
        p.setPen(OverlayTokens::labelText());
        p.drawText(QRectF(pill.x() + 16, pill.y() + 8, textSize.width() + 1, textSize.height()), Qt::AlignLeft | Qt::AlignTop, hint);
        return;
    }
    const QRectF r = SelectionGeometry::rectBetween(*start_, *current_);
    // The selection shows the screen undimmed.
    if (!frame_.image.isNull() && !r.isEmpty()) {
        const double dpr = frame_.screen.devicePixelRatio;
        p.drawImage(r, frame_.image, QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
    }
    p.setPen(QPen(OverlayTokens::selectionStroke(), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));

    const QString label = SelectionGeometry::sizeLabel(r);
    const QSizeF textSize(fm.horizontalAdvance(label), fm.height());
    const QRectF pill = SelectionGeometry::labelRect(r, textSize, bounds);
    QPainterPath path;
    path.addRoundedRect(pill, 5, 5);
    p.fillPath(path, OverlayTokens::labelFill());
    p.setPen(OverlayTokens::labelText());
    p.drawText(QRectF(pill.x() + 6, pill.y() + 3, textSize.width() + 1, textSize.height()), Qt::AlignLeft | Qt::AlignTop, label);
}

void SelectionView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    start_ = current_ = event->position();
    update();  // the whole view: the hint goes away
}

void SelectionView::mouseMoveEvent(QMouseEvent* event) {
    if (!start_) return;
    const QRect before = footprint();
    current_ = clamped(event->position(), rect());
    update(QRegion(before).united(footprint()));
}

void SelectionView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    current_ = clamped(event->position(), rect());
    if (start_) {
        const QRectF r = SelectionGeometry::rectBetween(*start_, *current_);
        if (SelectionGeometry::isLargeEnough(r)) {
            if (onDone) onDone(r);
            return;
        }
    }
    // Too small (a plain click included): keep the overlay for another try.
    start_.reset();
    current_.reset();
    update();
}

void SelectionView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (onCancel) onCancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace Kestrow
