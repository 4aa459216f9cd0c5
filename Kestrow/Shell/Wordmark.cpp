#include "Kestrow/Shell/Wordmark.hpp"

#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

namespace Kestrow {

namespace {
QString word() { return QCoreApplication::translate("Wordmark", "vantrel"); }
}  // namespace

Wordmark::Wordmark(double size, QWidget* parent) : QWidget(parent), size_(size) {
    setAccessibleName(QStringLiteral("Vantrel"));
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

QSize Wordmark::sizeHint() const {
    const QFontMetrics fm(Typography::wordmark(size_));
    return QSize(fm.horizontalAdvance(word()) + 2, fm.height());
}

void Wordmark::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(Typography::wordmark(size_));
    p.setPen(Theme::shared().palette().ink);
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, word());
}

}  // namespace Kestrow
