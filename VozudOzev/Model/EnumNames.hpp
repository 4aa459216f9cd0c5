#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace VozudOzev {

// One row of an enum's table of written names; the table, written once beside the enum,
// gives both directions.
template <class Enum>
struct EnumName {
    Enum value;
    std::string_view name;
};

// The name of a value; empty for a value missing from the table.
template <class Enum, std::size_t N>
constexpr std::string_view nameOf(const EnumName<Enum> (&names)[N], Enum value)
{
    for (const EnumName<Enum>& n : names)
        if (n.value == value)
            return n.name;
    return {};
}

template <class Enum, std::size_t N>
constexpr std::optional<Enum> valueNamed(const EnumName<Enum> (&names)[N], std::string_view name)
{
    for (const EnumName<Enum>& n : names)
        if (n.name == name)
            return n.value;
    return std::nullopt;
}

}  // namespace VozudOzev
