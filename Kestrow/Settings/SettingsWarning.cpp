#include "Kestrow/Settings/SettingsWarning.hpp"

#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QPainter>

namespace Kestrow {

namespace {
constexpr int iconSize = 14, iconGap = 6;
}

SettingsWarning::SettingsWarning(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setWordWrap(true);
    setFont(Typography::ui(12, QFont::Normal));
    // Room for the triangle at the leading edge.
    setContentsMargins(12 + iconSize + iconGap, 8, 12, 8);
    applyPalette();
    connect(&Theme::shared(), &Theme::changed, this, &SettingsWarning::applyPalette);
}

void SettingsWarning::applyPalette()
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Theme::shared().palette().flagText);
    setPalette(pal);
    update();
}

void SettingsWarning::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    QPainter p(this);
    const int top = 8 + (fontMetrics().height() - iconSize) / 2;
    AppResources::symbol(QStringLiteral("warning"), Theme::shared().palette().flagText)
        .paint(&p, QRect(12, top, iconSize, iconSize));
}

}  // namespace Kestrow
