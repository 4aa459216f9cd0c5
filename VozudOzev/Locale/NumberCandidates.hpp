#pragma once

#include "VozudOzev/Locale/NumberStyle.hpp"
#include "VozudOzev/Locale/ParsedNumber.hpp"

#include <optional>

namespace VozudOzev {

// The readings of one text under each number style.
struct NumberCandidates {
    std::optional<ParsedNumber> dot;
    std::optional<ParsedNumber> comma;

    // Both styles read the text, with different values ("1,234").
    bool isAmbiguous() const;
    const std::optional<ParsedNumber>& reading(NumberStyle style) const;
    // The one style with a reading, when exactly one has.
    std::optional<NumberStyle> onlyStyle() const;

    bool operator==(const NumberCandidates&) const = default;
};

}  // namespace VozudOzev
