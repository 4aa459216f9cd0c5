#pragma once

#include <QString>

#include <optional>

namespace Kestrow {

// When the application shows in the taskbar.
enum class TaskbarIconMode { always, whileWindowOpen, never };

namespace TaskbarIconModeText {
QString rawValue(TaskbarIconMode m);
std::optional<TaskbarIconMode> fromRawValue(const QString& raw);
QString label(TaskbarIconMode m);  // "Always", "While a window is open", "Never"
}  // namespace TaskbarIconModeText

}  // namespace Kestrow
