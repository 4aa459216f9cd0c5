#include "Kestrow/Settings/SettingsSwitch.hpp"

#include "Kestrow/Shell/Theme.hpp"

#include <QPainter>
#include <QPainterPath>

namespace Kestrow {

SettingsSwitch::SettingsSwitch(QWidget* parent) : QCheckBox(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

void SettingsSwitch::paintEvent(QPaintEvent*)
{
    const Palette& pal = Theme::shared().palette();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.4);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double r = track.height() / 2;
    QPainterPath path;
    path.addRoundedRect(track, r, r);
    p.fillPath(path, isChecked() ? pal.accent : pal.hairline);
    const double knob = track.height() - 4;
    const double x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
    // A ring only for focus reached with the keyboard.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(pal.accent, 1));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), r + 1, r + 1);
    }
}

}  // namespace Kestrow
