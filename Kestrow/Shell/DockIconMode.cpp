#include "Kestrow/Shell/DockIconMode.hpp"

#include <QCoreApplication>

namespace Kestrow::DockIconModeText {

QString rawValue(DockIconMode m) {
    switch (m) {
    case DockIconMode::always: return QStringLiteral("always");
    case DockIconMode::never: return QStringLiteral("never");
    case DockIconMode::whileWindowOpen: break;
    }
    return QStringLiteral("whileWindowOpen");
}

std::optional<DockIconMode> fromRawValue(const QString& raw) {
    for (DockIconMode m : {DockIconMode::always, DockIconMode::whileWindowOpen, DockIconMode::never})
        if (raw == rawValue(m)) return m;
    return std::nullopt;
}

QString label(DockIconMode m) {
    switch (m) {
    case DockIconMode::always: return QCoreApplication::translate("DockIconMode", "Always");
    case DockIconMode::never: return QCoreApplication::translate("DockIconMode", "Never");
    case DockIconMode::whileWindowOpen: break;
    }
    return QCoreApplication::translate("DockIconMode", "While a window is open");
}

}  // namespace Kestrow::DockIconModeText
