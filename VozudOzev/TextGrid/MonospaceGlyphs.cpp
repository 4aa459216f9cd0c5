#include "VozudOzev/TextGrid/MonospaceGlyphs.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/TextGrid/InkMask.hpp"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <map>

namespace VozudOzev {

namespace {

struct Site {
    size_t line = 0;
    size_t word = 0;
    size_t index = 0;
};

// The middle of each character of a word when each clearly has its own cell: its ink short
// of the cells by at most the side room of its end glyphs, and wider only by what the pitch,
// measured from words' ink, falls short of the true one. A long word measures its own.
std::vector<double> cellMiddles(const OCRWord& w, size_t n, double pitch)
{
    const double room = static_cast<double>(n) * pitch - w.bbox.w;
    if (n == 0 || room < -0.6 * pitch || room > 0.75 * pitch)
        return {};
    const double cell = std::max(pitch, w.bbox.w / static_cast<double>(n));
    std::vector<double> out;
    for (size_t i = 0; i < n; ++i)
        out.push_back(w.bbox.midX() + (static_cast<double>(i) - 0.5 * static_cast<double>(n - 1)) * cell);
    return out;
}

// Where each glyph stands, by what it was read as.
using Readings = std::map<std::string, std::map<char32_t, std::vector<Site>>>;

Readings readingsOf(const std::vector<OCRLine>& lines, const Image& image, double pitch)
{
    Readings readings;
    for (size_t l = 0; l < lines.size(); ++l)
        for (size_t k = 0; k < lines[l].words.size(); ++k) {
            const OCRWord& w = lines[l].words[k];
            const std::u32string cps = Unicode::decode(w.text);
            if (Unicode::graphemes(w.text).size() != cps.size())
                continue;
            const std::vector<double> middles = cellMiddles(w, cps.size(), pitch);
            for (size_t i = 0; i < middles.size(); ++i)
                if (std::string key = MonospaceGlyphs::glyphKey(image, middles[i], w.bbox, pitch); !key.empty())
                    readings[key][cps[i]].push_back({l, k, i});
        }
    return readings;
}

// For each character, the glyph read as it most often, among glyphs read as it three times
// or more and more often than as anything else.
using Owners = std::map<char32_t, std::pair<size_t, std::string>>;

struct Votes {
    char32_t top = 0;   // the character read most often
    size_t best = 0;    // how often
    size_t second = 0;  // how often the runner-up
};

Votes votesOf(const std::map<char32_t, std::vector<Site>>& byChar)
{
    Votes v;
    for (const auto& [c, sites] : byChar) {
        v.second = sites.size() > v.best ? v.best : std::max(v.second, sites.size());
        v.top = sites.size() > v.best ? c : v.top;
        v.best = std::max(v.best, sites.size());
    }
    return v;
}

Owners ownersOf(const Readings& readings)
{
    Owners owners;
    for (const auto& [key, byChar] : readings) {
        const auto [top, best, second] = votesOf(byChar);
        if (best >= 3 && best > second && best > owners[top].first)
            owners[top] = {best, key};
    }
    return owners;
}

// The character the readings of one glyph agree on, or 0: the one read two times more than
// any other; else, when the readings split evenly, the only one no other glyph claims (an
// "ä" read once as "a", where a plain "a" is read as "a" throughout).
char32_t agreedCharacter(const std::string& key, const std::map<char32_t, std::vector<Site>>& byChar,
                         const Owners& owners)
{
    const auto [top, best, second] = votesOf(byChar);
    if (best >= second + 2)
        return top;
    std::vector<char32_t> unclaimed;
    for (const auto& [c, sites] : byChar)
        if (const auto o = owners.find(c); o == owners.end() || o->second.second == key)
            unclaimed.push_back(c);
    if (unclaimed.size() == 1 && byChar.at(unclaimed.front()).size() == best)
        return unclaimed.front();
    return 0;
}

// The height of a glyph from its key ("WxH:...").
int heightOf(const std::string& key)
{
    const size_t x = key.find('x');
    int h = 0;
    std::from_chars(key.data() + x + 1, key.data() + key.size(), h);
    return h;
}

// Letters whose capital is the small letter drawn taller.
constexpr std::u32string_view sizedLetters = U"cosuvwxzCOSUVWXZ";

char32_t otherCase(char32_t c)
{
    return c < U'a' ? c + (U'a' - U'A') : c - (U'a' - U'A');
}

// A glyph read as one of those letters while another glyph is read so throughout, and whose
// height is not that glyph's but the other case's: the other case (a capital "U" at the start
// of a word read as "u" where the small "u"s are a good deal shorter). 0 when nothing shows it.
char32_t caseBySize(const std::string& key, char32_t c, const Owners& owners)
{
    if (sizedLetters.find(c) == std::u32string_view::npos)
        return 0;
    const auto own = owners.find(c);
    if (own == owners.end() || own->second.second == key)
        return 0;
    const double h = heightOf(key);
    const double ownH = heightOf(own->second.second);
    const bool small = c >= U'a';
    // A capital stands about a third taller than its small letter; a glyph taller still
    // has picked up a stroke of the next line.
    if (small ? h < 1.2 * ownH || h > 1.6 * ownH : h > 0.85 * ownH || h < 0.6 * ownH)
        return 0;
    const char32_t other = otherCase(c);
    if (const auto o = owners.find(other); o != owners.end() && std::abs(heightOf(o->second.second) - h) > 1)
        return 0;
    return other;
}

// A glyph read as "T" with a bar along its foot as wide as the one along its top is a
// serifed "I" (monospace fonts draw it so); a T stands on its stem alone.
bool serifedI(const std::string& key)
{
    const size_t colon = key.find(':');
    const int w = std::atoi(key.c_str());
    const int h = heightOf(key);
    if (colon == std::string::npos || w < 3 || h < 5 || key.size() != colon + 1 + static_cast<size_t>(w * h))
        return false;
    auto inkIn = [&](int y) {
        return static_cast<int>(std::count(key.begin() + static_cast<std::ptrdiff_t>(colon + 1 + y * w),
                                           key.begin() + static_cast<std::ptrdiff_t>(colon + 1 + (y + 1) * w), '#'));
    };
    return inkIn(0) >= 0.6 * w && inkIn(h - 1) >= 0.6 * w && inkIn(h / 2) <= 0.5 * w;
}

// A glyph read as "L" or "t" whose top carries a serif to the left of its stem only, with the
// stem alone below it down to the foot, is the "l" of a monospace font: an L has no serif
// there or one on both sides, a t its cross bar.
bool serifedL(const std::string& key)
{
    const size_t colon = key.find(':');
    const int w = std::atoi(key.c_str());
    const int h = heightOf(key);
    if (colon == std::string::npos || w < 3 || h < 8 || key.size() != colon + 1 + static_cast<size_t>(w * h))
        return false;
    auto ink = [&](int x, int y) { return key[colon + 1 + static_cast<size_t>(y * w + x)] == '#'; };
    auto extent = [&](int y) {
        int lo = w, hi = -1;
        for (int x = 0; x < w; ++x)
            if (ink(x, y)) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
        return std::pair{lo, hi};
    };
    const auto [stemLo, stemHi] = extent(h / 2);
    if (stemHi < 0 || stemHi - stemLo + 1 > std::max(3, w / 2))
        return false;
    const auto [topLo, topHi] = extent(0);
    if (topHi < 0 || topLo >= stemLo || topHi > stemHi)
        return false;
    const int serif = std::max(2, h / 8);
    for (int y = serif; y < h - h / 4; ++y)
        if (const auto [lo, hi] = extent(y); lo < stemLo || hi > stemHi)
            return false;
    return true;
}

}  // namespace

std::string MonospaceGlyphs::glyphKey(const Image& image, double cx, const BBox& word, double pitch)
{
    const InkMask mask = InkMask::of(image, BBox{cx - pitch, word.y - 2, 2 * pitch, word.h + 4}, 0.4);
    if (mask.empty())
        return {};
    const double lo = cx - 0.5 * pitch - mask.x0;
    const double hi = cx + 0.5 * pitch - mask.x0;
    int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
    for (const InkMask::Component& c : mask.components()) {
        const double mid = 0.5 * (c.x0 + c.x1 + 1);
        if (mid < lo || mid >= hi)
            continue;
        if (c.x0 < lo - 0.25 * pitch || c.x1 + 1 > hi + 0.25 * pitch)
            return {};
        x0 = std::min(x0, c.x0);
        y0 = std::min(y0, c.y0);
        x1 = std::max(x1, c.x1);
        y1 = std::max(y1, c.y1);
    }
    if (x1 < 0)
        return {};
    std::string key = std::to_string(x1 - x0 + 1) + "x" + std::to_string(y1 - y0 + 1) + ":";
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            key += mask.at(x, y) ? '#' : '.';
    return key;
}

std::vector<OCRLine> MonospaceGlyphs::agreed(const std::vector<OCRLine>& lines, const Image& image, double pitch,
                                             int& changed)
{
    std::vector<OCRLine> out = lines;
    if (image.empty() || !(pitch >= 4))
        return out;
    const Readings readings = readingsOf(out, image, pitch);
    const Owners owners = ownersOf(readings);
    for (const auto& [key, byChar] : readings) {
        char32_t winner = byChar.size() < 2 ? byChar.begin()->first : agreedCharacter(key, byChar, owners);
        const bool lLike = std::all_of(byChar.begin(), byChar.end(), [](const auto& r) {
            return std::u32string_view(U"LltI").find(r.first) != std::u32string_view::npos;
        });
        if (lLike && serifedL(key))
            winner = U'l';
        if (winner == 0)
            continue;
        const char32_t bySize = caseBySize(key, winner, owners);
        winner = bySize != 0 ? bySize : winner == U'T' && serifedI(key) ? U'I' : winner;
        for (const auto& [c, sites] : byChar) {
            if (c == winner)
                continue;
            for (const Site& s : sites) {
                OCRWord& w = out[s.line].words[s.word];
                std::u32string cps = Unicode::decode(w.text);
                cps[s.index] = winner;
                w.text = Unicode::encode(cps);
                out[s.line].text.clear();
                ++changed;
            }
        }
    }
    for (OCRLine& line : out) {
        if (!line.text.empty())
            continue;
        for (const OCRWord& w : line.words)
            line.text += (line.text.empty() ? "" : " ") + w.text;
    }
    return out;
}

}  // namespace VozudOzev
