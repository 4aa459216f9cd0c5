#pragma once

#include <string>
#include <string_view>
#include <vector>

// UTF-8 text helpers over ICU. Every text of the library is UTF-8; these are the only
// places that look at code points or grapheme clusters.
namespace VozudOzev::Unicode {

// Code points of a UTF-8 text; an invalid sequence reads as U+FFFD.
std::u32string decode(std::string_view utf8);
std::string encode(std::u32string_view text);
void append(std::string& out, char32_t cp);

// The text with every invalid UTF-8 sequence replaced by U+FFFD.
std::string sanitized(std::string_view utf8);
bool isValid(std::string_view utf8);

bool isWhitespace(char32_t cp);  // Unicode White_Space, newlines included
bool isLetter(char32_t cp);      // Alphabetic
bool isNumber(char32_t cp);      // any numeric type
bool isAlphanumeric(char32_t cp);  // general category L*, M* or N*
bool isLowercase(char32_t cp);   // Lowercase

// Unicode whitespace and newlines removed from both ends.
std::string trimmed(std::string_view utf8);

// Full Unicode lower-case mapping, independent of any locale.
std::string lowercased(std::string_view utf8);
// Full Unicode upper-case mapping, independent of any locale.
std::string uppercased(std::string_view utf8);

// The text with its combining marks removed and đ read as d: "Đặc biệt" gives "Dac biet".
std::string withoutMarks(std::string_view utf8);

// Canonical composition (NFC).
std::string nfc(std::string_view utf8);

// User-perceived characters (extended grapheme clusters).
std::vector<std::string> graphemes(std::string_view utf8);

}  // namespace VozudOzev::Unicode
