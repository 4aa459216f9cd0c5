#pragma once

#include <string>
#include <string_view>

// Comparison keys that see through the differences two captures of one text show:
// composed against decomposed letters, typographic quotes, runs of white space.
namespace VozudOzev::TextCompare {

// Typographic single quotes, primes and accents to "'"; double ones to '"'.
std::string foldQuotes(std::string_view text);

// NFC, quotes folded, white space collapsed to single blanks and trimmed. Case is kept.
std::string key(std::string_view text);

}  // namespace VozudOzev::TextCompare
