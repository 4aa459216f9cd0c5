#pragma once

#include <QWidget>

class QPushButton;

namespace Kestrow {

class SettingsRow;
class SettingsSwitch;
class UpdateController;

// The "Updates" card: automatic checks on or off and "Check Now", both usable only in a build
// set up for updates; otherwise the row says updates are not set up.
class UpdatesSettingsSection final : public QWidget {
    Q_OBJECT
public:
    explicit UpdatesSettingsSection(UpdateController& updates, QWidget* parent = nullptr);

    SettingsRow* row() const { return row_; }
    QPushButton* checkNow() const { return checkNow_; }
    SettingsSwitch* automatic() const { return automatic_; }

private:
    void refresh();

    UpdateController& updates_;
    SettingsRow* row_ = nullptr;
    QPushButton* checkNow_ = nullptr;
    SettingsSwitch* automatic_ = nullptr;
};

}  // namespace Kestrow
