#include "Kestrow/Shell/ThemedButton.hpp"

#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace Kestrow {

namespace {
QFont fontFor(ThemedButton::Style style) {
    return Typography::ui(13, style == ThemedButton::Style::primary ? QFont::DemiBold : QFont::Medium);
}
}  // namespace

ThemedButton::ThemedButton(const QString& text, Style style, QWidget* parent)
    : QPushButton(text, parent), style_(style) {
    setFont(fontFor(style));
    setCursor(Qt::PointingHandCursor);
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

QSize ThemedButton::sizeHint() const {
    const QFontMetrics fm(fontFor(style_));
    return QSize(fm.horizontalAdvance(text()) + 24, fm.height() + 12);
}

void ThemedButton::paintEvent(QPaintEvent*) {
    const Palette& pal = Theme::shared().palette();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The whole button fades when disabled: a full-colour fill reads as clickable.
    if (!isEnabled()) p.setOpacity(0.45);
    const bool pressed = isDown();
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    QColor fill = style_ == Style::primary ? pal.primaryFill : pal.card;
    if (pressed) fill.setAlphaF(fill.alphaF() * (style_ == Style::primary ? 0.8f : 0.6f));
    p.fillPath(path, fill);
    if (style_ == Style::secondary) {
        p.setPen(QPen(pal.hairline, 1));
        p.drawPath(path);
    }
    if (hasFocus()) {
        p.setPen(QPen(pal.accent, 1.5));
        p.drawPath(path);
    }
    p.setFont(fontFor(style_));
    p.setPen(style_ == Style::primary ? pal.primaryText : pal.ink);
    p.drawText(rect(), Qt::AlignCenter, text());
}

}  // namespace Kestrow
