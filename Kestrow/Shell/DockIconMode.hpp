#pragma once

#include <QString>

#include <optional>

namespace Kestrow {

// When the application shows in the taskbar.
enum class DockIconMode { always, whileWindowOpen, never };

namespace DockIconModeText {
QString rawValue(DockIconMode m);
std::optional<DockIconMode> fromRawValue(const QString& raw);
QString label(DockIconMode m);  // "Always", "While a window is open", "Never"
}  // namespace DockIconModeText

}  // namespace Kestrow
