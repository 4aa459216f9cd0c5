#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// UTF-8 text helpers over ICU. Every text of the library is UTF-8; these are the only
// places that look at code points or grapheme clusters.
namespace VozudOzev::Unicode {

// 0-9 only, given a code point or a byte of UTF-8: other scripts' digits are not read as numbers.
constexpr bool isAsciiDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool isAscii(std::string_view utf8);

// Code points of a UTF-8 text; an invalid sequence reads as U+FFFD.
std::u32string decode(std::string_view utf8);
std::string encode(std::u32string_view text);
void append(std::string& out, char32_t cp);

// The text with every invalid UTF-8 sequence replaced by U+FFFD.
std::string sanitized(std::string_view utf8);
bool isValid(std::string_view utf8);

bool isWhitespace(char32_t cp);  // Unicode White_Space, newlines included (a cluster: its first code point)
bool isLetter(char32_t cp);      // Alphabetic (a cluster: its first code point)
bool isNumber(char32_t cp);      // any numeric type
bool isAlphanumeric(char32_t cp);  // general category L*, M* or N*
bool hasAlphanumeric(std::string_view utf8);  // any code point isAlphanumeric
bool isLowercase(char32_t cp);   // Lowercase

// Unicode whitespace and newlines removed from both ends.
std::string trimmed(std::string_view utf8);

// Full Unicode lower-case mapping, independent of any locale.
std::string lowercased(std::string_view utf8);
// Simple lower-case mapping of one code point.
char32_t lowercased(char32_t cp);
// Full Unicode upper-case mapping, independent of any locale.
std::string uppercased(std::string_view utf8);

// The text with its combining marks removed and đ read as d: "Đặc biệt" gives "Dac biet".
std::string withoutMarks(std::string_view utf8);

// Case and diacritics folded, independent of any locale: NFD, combining marks dropped,
// case-folded, NFC.
std::string folded(std::string_view utf8);

// Canonical composition (NFC).
std::string nfc(std::string_view utf8);

// User-perceived characters (extended grapheme clusters).
std::vector<std::string> graphemes(std::string_view utf8);

// A text as code points with the start of every grapheme cluster, brought to NFC so that
// clusters compare up to canonical equivalence; cluster i spans [starts[i], starts[i + 1])
// of `points` (the last one runs to the end).
struct Clusters {
    std::u32string points;
    std::vector<uint32_t> starts;

    size_t size() const { return starts.size(); }
    std::u32string_view cluster(size_t i) const;
    char32_t first(size_t i) const { return points[starts[i]]; }
    // The cluster is exactly one code point, equal to cp.
    bool is(size_t i, char32_t cp) const;
    // Clusters [from, to) as UTF-8.
    std::string utf8(size_t from, size_t to) const;
};

Clusters clusters(std::string_view utf8);

}  // namespace VozudOzev::Unicode
