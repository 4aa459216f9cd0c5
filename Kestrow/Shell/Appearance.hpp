#pragma once

#include <QString>

#include <optional>

namespace Kestrow {

// The user's choice of interface appearance; stored as its lower-case raw value.
enum class Appearance { system, light, dark };

namespace AppearanceText {
QString rawValue(Appearance a);
std::optional<Appearance> fromRawValue(const QString& raw);  // exact, lower case only
QString label(Appearance a);  // "Match System", "Light", "Dark"
}  // namespace AppearanceText

}  // namespace Kestrow
