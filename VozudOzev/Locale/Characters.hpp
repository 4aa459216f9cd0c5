#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Character-level views of a text for the value parsers: a "character" is a grapheme
// cluster, compared up to canonical equivalence (texts are brought to NFC first).
namespace VozudOzev::Characters {

// Code points of a text with the start of every grapheme cluster; cluster i spans
// [starts[i], starts[i + 1]) of `points` (the last one runs to the end).
struct Text {
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

Text split(std::string_view utf8);

// A cluster is a space when its first code point has White_Space (CR LF included).
bool isSpace(char32_t first);
// Alphabetic, judged by the first code point as for a cluster.
bool isLetter(char32_t first);

char32_t lowercased(char32_t cp);
// Root-locale full lower-casing; ASCII takes a short road.
std::string lowercased(std::string_view utf8);

// Case and diacritics folded, independent of any locale: NFD, combining marks dropped,
// case-folded, NFC.
std::string folded(std::string_view utf8);

}  // namespace VozudOzev::Characters
