#pragma once

#include <QString>

#include <array>
#include <optional>

namespace Kestrow {

// The settings window's tabs, in the order of its tab bar.
enum class SettingsTab { general, shortcuts, recognition, history };

namespace SettingsTabText {
inline constexpr std::array<SettingsTab, 4> all = {SettingsTab::general, SettingsTab::shortcuts,
                                                   SettingsTab::recognition, SettingsTab::history};
QString rawValue(SettingsTab tab);                               // "general", "shortcuts", ...
std::optional<SettingsTab> fromRawValue(const QString& raw);     // exact; anything else: none
QString title(SettingsTab tab);                                  // translated button title
QString symbol(SettingsTab tab);                                 // name of the drawn symbol
}  // namespace SettingsTabText

}  // namespace Kestrow
