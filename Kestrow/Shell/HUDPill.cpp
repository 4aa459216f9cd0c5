#include "Kestrow/Shell/HUDPill.hpp"

#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/HUDTokens.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QAccessible>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTimer>

namespace Kestrow {

namespace {
constexpr double padX = 16, padY = 10, gap = 8, leadingSize = 16, radius = 12;

QFont pillFont() { return Typography::ui(13, QFont::Medium); }

bool hasLeading(HUDPill::Leading l) { return l != HUDPill::Leading::none; }

double leadingWidth(HUDPill::Leading l) { return hasLeading(l) ? leadingSize + gap : 0; }

// Text laid out at most this wide; wider text wraps.
double maxTextWidth(HUDPill::Leading l) { return HUDPill::maxWidth - 2 * padX - leadingWidth(l); }
}  // namespace

HUDPill::HUDPill(QString text, Leading leading, bool clickThrough)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | (clickThrough ? Qt::WindowTransparentForInput : Qt::Widget)),
      text_(std::move(text)), leading_(leading) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(text_);
    setFont(pillFont());
    if (leading_ == Leading::spinner) {
        spin_ = new QTimer(this);
        spin_->setInterval(50);
        connect(spin_, &QTimer::timeout, this, [this] {
            angle_ = (angle_ + 30) % 360;
            update();
        });
        spin_->start();
    }
    resize(sizeHint());
}

QSize HUDPill::sizeHint() const {
    const QFontMetricsF fm(pillFont());
    const QRectF bounds = fm.boundingRect(QRectF(0, 0, maxTextWidth(leading_), 1e6),
                                          Qt::TextWordWrap | Qt::AlignLeft, text_);
    const double textH = std::max(bounds.height(), fm.height());
    const double contentH = std::max(textH, hasLeading(leading_) ? leadingSize : 0.0);
    const double w = 2 * padX + leadingWidth(leading_) + std::ceil(bounds.width());
    return QSize(int(std::min<double>(std::ceil(w), maxWidth)), int(std::ceil(contentH + 2 * padY)));
}

QScreen* HUDPill::activeScreen() {
    if (QScreen* s = QGuiApplication::screenAt(QCursor::pos())) return s;
    return QGuiApplication::primaryScreen();
}

void HUDPill::announce() {
    QAccessibleEvent event(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}

QRect HUDPill::frameFor(QSize pill, const QRect& screen, const QRect& available) {
    const int inset = std::max(available.top() - screen.top(), 24);
    const int x = screen.left() + (screen.width() - pill.width()) / 2;
    const int y = screen.top() + inset + 12;
    return QRect(QPoint(x, y), pill);
}

void HUDPill::placeOn(const QRect& screenGeometry, const QRect& availableGeometry) {
    setGeometry(frameFor(sizeHint(), screenGeometry, availableGeometry));
}

QRectF HUDPill::textRect(const QSize& size) const {
    const double x = padX + leadingWidth(leading_);
    return QRectF(x, padY, size.width() - x - padX, size.height() - 2 * padY);
}

void HUDPill::resizeEvent(QResizeEvent*) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    // Without a compositor a translucent corner paints black: cut the shape out instead.
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), radius, radius);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void HUDPill::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.fillPath(path, HUDTokens::fill());
    p.setPen(QPen(HUDTokens::border(), 1));
    p.drawPath(path);

    const QRectF lead(padX, (height() - leadingSize) / 2.0, leadingSize, leadingSize);
    switch (leading_) {
    case Leading::success:
    case Leading::warning: {
        const QIcon icon = AppResources::symbol(leading_ == Leading::success ? QStringLiteral("check")
                                                                             : QStringLiteral("hand"));
        icon.paint(&p, lead.toAlignedRect());
        break;
    }
    case Leading::spinner: {
        const QRectF arc = lead.adjusted(2, 2, -2, -2);
        p.setPen(QPen(QColor(255, 255, 255, 60), 2));
        p.drawEllipse(arc);
        p.setPen(QPen(HUDTokens::text(), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(arc, -angle_ * 16, 90 * 16);
        break;
    }
    case Leading::none: break;
    }
    p.setFont(pillFont());
    p.setPen(HUDTokens::text());
    p.drawText(textRect(size()), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, text_);
}

}  // namespace Kestrow
