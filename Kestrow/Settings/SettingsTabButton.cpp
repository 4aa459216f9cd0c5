#include "Kestrow/Settings/SettingsTabButton.hpp"

#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QPainter>
#include <QPainterPath>

namespace Kestrow {

SettingsTabButton::SettingsTabButton(SettingsTab tab, QWidget* parent) : QAbstractButton(parent), tab_(tab)
{
    setCheckable(true);
    setAutoExclusive(true);
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setText(SettingsTabText::title(tab));
    setAccessibleName(text());
    setObjectName(QStringLiteral("tab-") + SettingsTabText::rawValue(tab));
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

void SettingsTabButton::paintEvent(QPaintEvent*)
{
    const Palette& pal = Theme::shared().palette();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (isChecked()) {
        QPainterPath path;
        path.addRoundedRect(QRectF(rect()), 8, 8);
        p.fillPath(path, pal.card);
    }
    const QColor ink = isChecked() ? pal.accent : pal.muted;
    const int top = (height() - 20 - 4 - 14) / 2;
    AppResources::symbol(SettingsTabText::symbol(tab_), ink).paint(&p, QRect((width() - 18) / 2, top + 1, 18, 18));
    p.setPen(ink);
    p.setFont(Typography::ui(11, QFont::Medium));
    p.drawText(QRect(0, top + 24, width(), 16), Qt::AlignHCenter | Qt::AlignTop, text());
    // A ring only for focus reached with the keyboard.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        p.setPen(QPen(pal.accent, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
}

}  // namespace Kestrow
