#include "Kestrow/History/HistorySettingsSection.hpp"

#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Settings/SettingsGroup.hpp"
#include "Kestrow/Settings/SettingsRow.hpp"
#include "Kestrow/Settings/SettingsSwitch.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Kestrow {

HistorySettingsSection::HistorySettingsSection(HistoryStore& store, std::function<void()> showHistory, QWidget* parent)
    : QWidget(parent), store_(store), showHistory_(std::move(showHistory)), confirm_(confirmWithMessageBox)
{
    setObjectName(QStringLiteral("HistorySettingsSection"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* group = new SettingsGroup(tr("History"),
                                    tr("History stays on this computer (application data folder), is never synced to a "
                                       "cloud and never uploaded. Turning image saving off deletes saved images."),
                                    this);

    enabled_ = new SettingsSwitch;
    enabled_->setObjectName(QStringLiteral("enabled"));
    enabled_->setAccessibleName(tr("Keep recent captures"));
    group->addRow(new SettingsRow(QStringLiteral("history"), tr("Keep recent captures"),
                                  tr("Reopen, copy or export earlier tables."), enabled_));

    limit_ = new QSpinBox;
    limit_->setObjectName(QStringLiteral("limit"));
    limit_->setRange(HistoryStore::minLimit, HistoryStore::maxLimit);
    limit_->setSingleStep(5);
    // Typing "50" passes through 5; only the value the user settles on may prune.
    limit_->setKeyboardTracking(false);
    limit_->setFont(Typography::grid(12.5, QFont::Normal));
    limit_->setAccessibleName(tr("Captures to keep"));
    group->addRow(new SettingsRow(QStringLiteral("number"), tr("Captures to keep"), tr("Older ones are removed first."),
                                  limit_));

    keepImages_ = new SettingsSwitch;
    keepImages_->setObjectName(QStringLiteral("keepImages"));
    keepImages_->setAccessibleName(tr("Also save the captured image"));
    group->addRow(new SettingsRow(QStringLiteral("image"), tr("Also save the captured image"),
                                  tr("Lets you compare cells with the source later. Uses more disk space."), keepImages_));

    auto* buttons = new QWidget;
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
    group->addRow(buttons);
    column->addWidget(group);


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
