#include "Kestrow/Shell/TaskbarIconMode.hpp"

#include <QCoreApplication>

namespace Kestrow::TaskbarIconModeText {

QString rawValue(TaskbarIconMode m) {
    switch (m) {
    case TaskbarIconMode::always: return QStringLiteral("always");
    case TaskbarIconMode::never: return QStringLiteral("never");
    case TaskbarIconMode::whileWindowOpen: break;
    }
    return QStringLiteral("whileWindowOpen");
}

std::optional<TaskbarIconMode> fromRawValue(const QString& raw) {
    for (TaskbarIconMode m : {TaskbarIconMode::always, TaskbarIconMode::whileWindowOpen, TaskbarIconMode::never})
        if (raw == rawValue(m)) return m;
    return std::nullopt;
}

QString label(TaskbarIconMode m) {
    switch (m) {
    case TaskbarIconMode::always: return QCoreApplication::translate("TaskbarIconMode", "Always");
    case TaskbarIconMode::never: return QCoreApplication::translate("TaskbarIconMode", "Never");
    case TaskbarIconMode::whileWindowOpen: break;
    }
    return QCoreApplication::translate("TaskbarIconMode", "While a window is open");
}

}  // namespace Kestrow::TaskbarIconModeText
