#include "Kestrow/History/HistorySettingsSection.hpp"

#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

// Title over its detail on the left, the control on the right.
QWidget* row(QWidget* parent, const QString& title, const QString& detail, QWidget* control)
{
    auto* w = new QWidget(parent);
    auto* line = new QHBoxLayout(w);
    line->setContentsMargins(12, 8, 12, 8);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* t = new QLabel(title, w);
    auto* d = new QLabel(detail, w);
    d->setObjectName(QStringLiteral("muted"));
    d->setWordWrap(true);
    texts->addWidget(t);
    texts->addWidget(d);
    line->addLayout(texts, 1);
    line->addWidget(control, 0, Qt::AlignVCenter);
    return w;
}

QFrame* divider(QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QStringLiteral("hairline"));
    f->setFixedHeight(1);
    return f;
}

}  // namespace

HistorySettingsSection::HistorySettingsSection(HistoryStore& store, std::function<void()> showHistory, QWidget* parent)
    : QWidget(parent), store_(store), showHistory_(std::move(showHistory)), confirm_(confirmWithMessageBox)
{
    setObjectName(QStringLiteral("HistorySettingsSection"));
    auto* column = new QVBoxLayout(this);
    auto* heading = new QLabel(tr("History"), this);
    QFont bold = heading->font();
    bold.setWeight(QFont::DemiBold);
    heading->setFont(bold);
    column->addWidget(heading);

    auto* card = new QFrame(this);
    card->setObjectName(QStringLiteral("card"));
    auto* rows = new QVBoxLayout(card);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);

    enabled_ = new QCheckBox(card);
    enabled_->setObjectName(QStringLiteral("enabled"));
    enabled_->setAccessibleName(tr("Keep recent captures"));
    rows->addWidget(row(card, tr("Keep recent captures"), tr("Reopen, copy or export earlier tables."), enabled_));
    rows->addWidget(divider(card));

    limit_ = new QSpinBox(card);
    limit_->setObjectName(QStringLiteral("limit"));
    limit_->setRange(HistoryStore::minLimit, HistoryStore::maxLimit);
    limit_->setSingleStep(5);
    // Typing "50" passes through 5; only the value the user settles on may prune.
    limit_->setKeyboardTracking(false);
    limit_->setFont(Typography::grid(12.5, QFont::Normal));
    limit_->setAccessibleName(tr("Captures to keep"));
    rows->addWidget(row(card, tr("Captures to keep"), tr("Older ones are removed first."), limit_));
    rows->addWidget(divider(card));

    keepImages_ = new QCheckBox(card);
    keepImages_->setObjectName(QStringLiteral("keepImages"));
    keepImages_->setAccessibleName(tr("Also save the captured image"));
    rows->addWidget(row(card, tr("Also save the captured image"),
                        tr("Lets you compare cells with the source later. Uses more disk space."), keepImages_));
    rows->addWidget(divider(card));

    auto* buttons = new QWidget(card);
    auto* line = new QHBoxLayout(buttons);
    line->setContentsMargins(12, 12, 12, 12);
    if (showHistory_) {
        auto* show = new ThemedButton(tr("Show History…"), ThemedButton::Style::secondary, buttons);
        show->setObjectName(QStringLiteral("showHistory"));
        connect(show, &QPushButton::clicked, this, [this] { showHistory_(); });
        line->addWidget(show);
    }
    line->addStretch();
    deleteAll_ = new ThemedButton(tr("Delete All History…"), ThemedButton::Style::secondary, buttons);
    deleteAll_->setObjectName(QStringLiteral("deleteAllHistory"));
    line->addWidget(deleteAll_);
    rows->addWidget(buttons);
    column->addWidget(card);

    auto* footer = new QLabel(tr("History stays on this computer (application data folder), is never synced to a cloud "
                                 "and never uploaded. Turning image saving off deletes saved images."),
                              this);
    footer->setObjectName(QStringLiteral("muted"));
    footer->setWordWrap(true);
    column->addWidget(footer);
    column->addStretch();

    applyPalette();
    connect(&Theme::shared(), &Theme::changed, this, &HistorySettingsSection::applyPalette);

    connect(enabled_, &QCheckBox::toggled, &store_, &HistoryStore::setEnabled);
    connect(limit_, &QSpinBox::valueChanged, &store_, &HistoryStore::setLimit);
    connect(keepImages_, &QCheckBox::toggled, &store_, &HistoryStore::setKeepImages);
    connect(deleteAll_, &QPushButton::clicked, this, [this] {
        const QString title = tr("Delete all %1 saved captures?").arg(store_.items().size());
        if (confirm_(this, title, tr("This can't be undone."), tr("Delete All")))
            store_.deleteAll();
    });
    connect(&store_, &HistoryStore::itemsChanged, this, &HistorySettingsSection::refresh);
    connect(&store_, &HistoryStore::settingsChanged, this, &HistorySettingsSection::refresh);
    refresh();
}

void HistorySettingsSection::applyPalette()
{
    const Palette& p = Theme::shared().palette();
    setStyleSheet(QStringLiteral("#card { background: %1; border: 1px solid %2; border-radius: 8px; }"
                                 " #hairline { background: %2; margin-left: 12px; } QLabel { color: %4; }"
                                 " QLabel#muted { color: %3; }")
                      .arg(p.card.name(), p.hairline.name(), p.muted.name(), p.ink.name()));
}

void HistorySettingsSection::setConfirm(HistoryConfirm confirm) { confirm_ = std::move(confirm); }

void HistorySettingsSection::refresh()
{
    const QSignalBlocker a(enabled_), b(limit_), c(keepImages_);
    enabled_->setChecked(store_.enabled());
    limit_->setValue(store_.limit());
    keepImages_->setChecked(store_.keepImages());
    limit_->setEnabled(store_.enabled());
    keepImages_->setEnabled(store_.enabled());
    deleteAll_->setEnabled(!store_.items().empty());
}

}  // namespace Kestrow
