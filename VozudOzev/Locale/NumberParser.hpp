#pragma once

#include "VozudOzev/Locale/Decimal.hpp"
#include "VozudOzev/Locale/NumberCandidates.hpp"
#include "VozudOzev/Locale/NumberStyle.hpp"
#include "VozudOzev/Locale/NumberStyleGuess.hpp"
#include "VozudOzev/Locale/ParsedNumber.hpp"

#include <optional>
#include <string>
#include <string_view>

// Reads table cell texts as numbers under a decimal style. Pure functions: no state, no
// exceptions, and nothing depends on the process locale. A text that does not fit the
// rules gives no reading; digits are never guessed.
namespace VozudOzev::NumberParser {

// A text taken apart: signs, percent, currency and magnitude suffix peeled off the body.
struct Parts {
    bool negative = false;
    bool percent = false;
    std::optional<std::string> currency;  // as spelled in the text
    std::optional<Decimal> multiplier;
    // ASCII digits and , . space ' ’ only; starts with a digit, "." or ","; ends with a digit.
    std::string body;

    bool operator==(const Parts&) const = default;
};

// Leading spaces dropped, inner runs of spaces (no-break and thin ones too) made one
// U+0020, a trailing one removed.
std::string normalizeSpaces(std::string_view text);

std::optional<Parts> decompose(std::string_view text);
// Nothing when the body does not fit the style's separators and grouping.
std::optional<ParsedNumber> build(const Parts& parts, NumberStyle style);

std::optional<ParsedNumber> parse(std::string_view text, NumberStyle style);
// Nothing when the text is no number under either style.
std::optional<NumberCandidates> candidates(std::string_view text);

// Tallies how the texts read under both styles.
template <class Texts>
NumberStyleGuess guessStyle(const Texts& texts)
{
    NumberStyleGuess guess;
    for (const auto& text : texts)
        if (auto c = candidates(text))
            guess.add(*c);
    return guess;
}

// The number at the start of a text that may go on with words: "12 apples" gives 12.
// Prefixes longer than 256 bytes are not tried.
std::optional<ParsedNumber> leadingNumber(std::string_view text, NumberStyle style);

}  // namespace VozudOzev::NumberParser
