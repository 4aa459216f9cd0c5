#include "Kestrow/Settings/UpdatesSettingsSection.hpp"

#include "Kestrow/Settings/SettingsGroup.hpp"
#include "Kestrow/Settings/SettingsRow.hpp"
#include "Kestrow/Settings/SettingsSwitch.hpp"
#include "Kestrow/Settings/UpdateController.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Kestrow {

UpdatesSettingsSection::UpdatesSettingsSection(UpdateController& updates, QWidget* parent)
    : QWidget(parent), updates_(updates)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* control = new QWidget;
    auto* line = new QHBoxLayout(control);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    checkNow_ = new ThemedButton(tr("Check Now"), ThemedButton::Style::secondary, control);
    checkNow_->setObjectName(QStringLiteral("checkNow"));
    automatic_ = new SettingsSwitch(control);
    automatic_->setObjectName(QStringLiteral("automaticUpdates"));
    automatic_->setAccessibleName(tr("Check for updates automatically"));
    line->addWidget(checkNow_);
    line->addWidget(automatic_);

    const QString detail = updates_.isConfigured()
                               ? tr("Once a day, from %1. Sends no system profile.").arg(updates_.feedHost())
                               : tr("Updates aren't set up in this build.");
    row_ = new SettingsRow(QStringLiteral("updates"), tr("Check for updates automatically"), detail, control);
    auto* group = new SettingsGroup(tr("Updates"), {}, this);
    group->addRow(row_);
    column->addWidget(group);

    connect(checkNow_, &QPushButton::clicked, &updates_, &UpdateController::checkForUpdates);
    connect(automatic_, &QCheckBox::toggled, &updates_, &UpdateController::setAutomaticallyChecks);
    connect(&updates_, &UpdateController::changed, this, &UpdatesSettingsSection::refresh);
    refresh();
}

void UpdatesSettingsSection::refresh()
{
    checkNow_->setEnabled(updates_.validateMenuItem());
    const QSignalBlocker block(automatic_);
    automatic_->setChecked(updates_.automaticallyChecks());
    automatic_->setEnabled(updates_.isConfigured());
}

}  // namespace Kestrow
