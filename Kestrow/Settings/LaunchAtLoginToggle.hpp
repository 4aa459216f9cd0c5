#pragma once

#include "Kestrow/Settings/SettingsSwitch.hpp"

namespace Kestrow {

class LoginItem;

// The "Open at login" switch. It always shows whether the application really starts at login,
// read back after every change; a change that failed leaves its reason as the tooltip.
class LaunchAtLoginToggle final : public SettingsSwitch {
    Q_OBJECT
public:
    explicit LaunchAtLoginToggle(LoginItem& item, QWidget* parent = nullptr);
    // Reads the real state again (the entry may have changed outside the application).
    void refresh();

protected:
    void nextCheckState() override;

private:
    LoginItem& item_;
};

}  // namespace Kestrow
