#include "Kestrow/Settings/LaunchAtLoginToggle.hpp"

#include "Kestrow/Platform/LoginItem.hpp"

namespace Kestrow {

LaunchAtLoginToggle::LaunchAtLoginToggle(LoginItem& item, QWidget* parent) : SettingsSwitch(parent), item_(item)
{
    setAccessibleName(tr("Open at login"));
    refresh();
}

void LaunchAtLoginToggle::refresh() { setChecked(item_.isEnabled()); }

void LaunchAtLoginToggle::nextCheckState()
{
    const std::optional<QString> error = isChecked() ? item_.disable() : item_.enable();
    setToolTip(error.value_or(QString()));
    refresh();
}

}  // namespace Kestrow
