#pragma once

#include <QString>

#include <optional>

namespace Kestrow {

// Which application icon and tray glyph the user picked.
enum class AppIconChoice { dark, light, sparkle };

namespace AppIconChoiceText {
QString rawValue(AppIconChoice c);
std::optional<AppIconChoice> fromRawValue(const QString& raw);
QString label(AppIconChoice c);  // "Dark (default)", "Light", "Sparkle"
}  // namespace AppIconChoiceText

}  // namespace Kestrow
