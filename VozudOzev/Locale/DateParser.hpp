#pragma once

#include "VozudOzev/Locale/DateCandidates.hpp"
#include "VozudOzev/Locale/DateColumnResolution.hpp"
#include "VozudOzev/Locale/DateOrder.hpp"

#include <optional>
#include <string_view>

// Reads numeric dates ("25/03/2024", "03-25-24", "7.3.2023", "2024-03-05") under each
// date order. Only three groups of digits joined by one repeated "/", "-" or "." count,
// so plain numbers such as "2019", "12.5", "1.234" or "1.234.567" are never dates.
// Pure functions: no state, no exceptions, no process locale.
namespace VozudOzev::DateParser {

// Nothing when no order reads the text. A four-digit first group reads year first only;
// otherwise the last group is the year (two digits: 1970-2069) and the first two read as
// day-month and as month-day, each kept only when it is a real calendar date.
std::optional<DateCandidates> candidates(std::string_view text);

// Adds one text's readings to the counts of a column.
void count(DateColumnResolution& resolution, const DateCandidates& candidates);
// Chooses the order from the counts.
void decide(DateColumnResolution& resolution, std::optional<DateOrder> override, DateOrder fallback);

template <class Texts>
DateColumnResolution resolveColumn(const Texts& texts, std::optional<DateOrder> override, DateOrder fallback)
{
    DateColumnResolution resolution;
    for (const auto& text : texts)
        if (auto c = candidates(text))
            count(resolution, *c);
    decide(resolution, override, fallback);
    return resolution;
}

}  // namespace VozudOzev::DateParser
