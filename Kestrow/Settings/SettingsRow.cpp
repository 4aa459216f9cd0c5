#include "Kestrow/Settings/SettingsRow.hpp"

#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace Kestrow {

SettingsRow::SettingsRow(const QString& symbol, const QString& title, const QString& detail, QWidget* control,
                         QWidget* parent)
    : QWidget(parent), symbol_(symbol), control_(control)
{
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(padding, 10, padding, 10);
    line->setSpacing(12);
    // The tile is painted in this space (a layout adds no spacing after a spacer).
    line->addSpacing(tileSize + 12);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    title_ = new QLabel(title, this);
    title_->setObjectName(QStringLiteral("rowTitle"));
    title_->setFont(Typography::ui(13, QFont::Medium));
    detail_ = new QLabel(detail, this);
    detail_->setObjectName(QStringLiteral("rowDetail"));
    detail_->setFont(Typography::ui(11.5, QFont::Normal));
    detail_->setWordWrap(true);
    detail_->setVisible(!detail.isEmpty());
    detail_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);
    texts->addWidget(title_);
    texts->addWidget(detail_);
    line->addLayout(texts, 1);
    if (control_) {
        line->addSpacing(12);
        control_->setParent(this);
        line->addWidget(control_, 0, Qt::AlignVCenter);
    }
    setAccessibleName(title);
    setAccessibleDescription(detail);
    applyPalette();
    connect(&Theme::shared(), &Theme::changed, this, &SettingsRow::applyPalette);
}

void SettingsRow::setSymbol(const QString& symbol)
{
    symbol_ = symbol;
    update();
}

void SettingsRow::setDetail(const QString& detail)
{
    detail_->setText(detail);
    detail_->setVisible(!detail.isEmpty());
    setAccessibleDescription(detail);
}

QString SettingsRow::title() const { return title_->text(); }
QString SettingsRow::detail() const { return detail_->text(); }

void SettingsRow::applyPalette()
{
    const Palette& p = Theme::shared().palette();
    QPalette ink = title_->palette();
    ink.setColor(QPalette::WindowText, p.ink);
    title_->setPalette(ink);
    QPalette muted = detail_->palette();
    muted.setColor(QPalette::WindowText, p.muted);
    detail_->setPalette(muted);
    update();
}

void SettingsRow::paintEvent(QPaintEvent*)
{
    const Palette& pal = Theme::shared().palette();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(padding, (height() - tileSize) / 2.0, tileSize, tileSize);
    QColor fill = pal.accent;
    fill.setAlphaF(0.12);
    QPainterPath path;
    path.addRoundedRect(tile, 7, 7);
    p.fillPath(path, fill);
    const QIcon icon = AppResources::symbol(symbol_, pal.accent);
    icon.paint(&p, tile.adjusted(6, 6, -6, -6).toRect());
}

}  // namespace Kestrow
