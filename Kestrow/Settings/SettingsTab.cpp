#include "Kestrow/Settings/SettingsTab.hpp"

#include <QCoreApplication>

namespace Kestrow::SettingsTabText {

QString rawValue(SettingsTab tab)
{
    switch (tab) {
    case SettingsTab::general: return QStringLiteral("general");
    case SettingsTab::shortcuts: return QStringLiteral("shortcuts");
    case SettingsTab::recognition: return QStringLiteral("recognition");
    case SettingsTab::history: return QStringLiteral("history");
    }
    return {};
}

std::optional<SettingsTab> fromRawValue(const QString& raw)
{
    for (SettingsTab tab : all)
        if (rawValue(tab) == raw)
            return tab;
    return std::nullopt;
}

QString title(SettingsTab tab)
{
    switch (tab) {
    case SettingsTab::general: return QCoreApplication::translate("Kestrow::SettingsView", "General");
    case SettingsTab::shortcuts: return QCoreApplication::translate("Kestrow::SettingsView", "Shortcuts");
    case SettingsTab::recognition: return QCoreApplication::translate("Kestrow::SettingsView", "Recognition");
    case SettingsTab::history: return QCoreApplication::translate("Kestrow::SettingsView", "History");
    }
    return {};
}

QString symbol(SettingsTab tab)
{
    switch (tab) {
    case SettingsTab::general: return QStringLiteral("gear");
    case SettingsTab::shortcuts: return QStringLiteral("command");
    case SettingsTab::recognition: return QStringLiteral("recognition");
    case SettingsTab::history: return QStringLiteral("history");
    }
    return {};
}

}  // namespace Kestrow::SettingsTabText
