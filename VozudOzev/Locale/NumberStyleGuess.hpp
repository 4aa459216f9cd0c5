#pragma once

#include "VozudOzev/Locale/NumberCandidates.hpp"
#include "VozudOzev/Locale/NumberStyle.hpp"

#include <nlohmann/json_fwd.hpp>
#include <optional>

namespace VozudOzev {

// A tally of how a column's texts read under the two number styles.
struct NumberStyleGuess {
    int dotOnly = 0;
    int commaOnly = 0;
    int ambiguous = 0;
    int neutral = 0;
    // A three-digit tail after the separator hints that it groups thousands.
    int weakDot = 0;
    int weakComma = 0;

    // Texts counted; the weak hints are not.
    int count() const { return dotOnly + commaOnly + ambiguous + neutral; }

    void add(const NumberCandidates& candidates);
    // The majority verdict; nothing when the strong counts tie at zero, or tie and the
    // weak hints tie too.
    std::optional<NumberStyle> style() const;

    NumberStyleGuess& operator+=(const NumberStyleGuess& other);
    friend NumberStyleGuess operator+(NumberStyleGuess a, const NumberStyleGuess& b) { return a += b; }
    bool operator==(const NumberStyleGuess&) const = default;
};

void to_json(nlohmann::json& j, const NumberStyleGuess& g);
void from_json(const nlohmann::json& j, NumberStyleGuess& g);

}  // namespace VozudOzev
