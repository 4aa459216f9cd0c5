#include "Kestrow/Settings/SettingsGroup.hpp"

#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Kestrow {

SettingsGroup::SettingsGroup(const QString& title, const QString& footer, QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    if (!title.isEmpty()) {
        title_ = new QLabel(title.toUpper(), this);
        title_->setObjectName(QStringLiteral("groupTitle"));
        title_->setFont(Typography::ui(12, QFont::DemiBold));
        title_->setContentsMargins(2, 0, 0, 0);
        title_->setAccessibleName(title);
        column->addWidget(title_);
    }
    card_ = new QFrame(this);
    card_->setObjectName(QStringLiteral("settingsCard"));
    cardLayout_ = new QVBoxLayout(card_);
    cardLayout_->setContentsMargins(1, 1, 1, 1);
    cardLayout_->setSpacing(0);
    column->addWidget(card_);
    if (!footer.isEmpty()) {
        footer_ = new QLabel(footer, this);
        footer_->setObjectName(QStringLiteral("groupFooter"));
        footer_->setFont(Typography::ui(11, QFont::Normal));
        footer_->setWordWrap(true);
        footer_->setContentsMargins(2, 0, 0, 0);
        column->addWidget(footer_);
    }
    applyPalette();
    connect(&Theme::shared(), &Theme::changed, this, &SettingsGroup::applyPalette);
}

void SettingsGroup::addRow(QWidget* row)
{
    if (!rows_.isEmpty()) {
        auto* holder = new QWidget(card_);
        auto* line = new QHBoxLayout(holder);
        line->setContentsMargins(dividerIndent, 0, 0, 0);
        auto* hairline = new QFrame(holder);
        hairline->setObjectName(QStringLiteral("hairline"));
        hairline->setFixedHeight(1);
        line->addWidget(hairline);
        holder->setFixedHeight(1);
        cardLayout_->addWidget(holder);
        dividers_.append(holder);
    }
    row->setParent(card_);
    cardLayout_->addWidget(row);
    rows_.append(row);
    row->installEventFilter(this);
    updateDividers();
}

int SettingsGroup::visibleDividers() const
{
    int n = 0;
    for (QWidget* d : dividers_)
        n += d->isVisibleTo(card_) ? 1 : 0;
    return n;
}

bool SettingsGroup::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) &&
        rows_.contains(static_cast<QWidget*>(watched)))
        updateDividers();
    return QWidget::eventFilter(watched, event);
}

void SettingsGroup::updateDividers()
{
    // A hairline shows above a visible row only when a visible row comes before it.
    bool seen = false;
    for (int i = 0; i < rows_.size(); ++i) {
        const bool shown = !rows_[i]->isHidden();
        if (i > 0)
            dividers_[i - 1]->setVisible(shown && seen);
        seen = seen || shown;
    }
}

void SettingsGroup::applyPalette()
{
    const Palette& p = Theme::shared().palette();
    card_->setStyleSheet(QStringLiteral("QFrame#settingsCard { background: %1; border: 1px solid %2; border-radius: 10px; }"
                                        " QFrame#hairline { background: %2; border: none; }")
                             .arg(p.card.name(), p.hairline.name()));
    for (QLabel* label : {title_, footer_})
        if (label) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, p.muted);
            label->setPalette(pal);
        }
}

}  // namespace Kestrow
