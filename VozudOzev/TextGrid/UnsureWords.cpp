#include "VozudOzev/TextGrid/UnsureWords.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <string_view>
#include <utility>

namespace VozudOzev {

namespace {

// Marks other than a grid line's bar glued to the word ("|Flour"), which the border pass
// takes off.
bool hasMarks(const std::string& text)
{
    static constexpr std::u32string_view bars = U"|\u00a6\u2502";
    const std::u32string cps = Unicode::decode(text);
    return std::any_of(cps.begin(), cps.end(), [](char32_t c) {
        return !Unicode::isAlphanumeric(c) && !Unicode::isWhitespace(c) && bars.find(c) == std::u32string_view::npos;
    });
}

// A cell's border at the box's edge reads as a stroke before the word ("‚Abweichung").
std::string withoutLeadingStrokes(const std::string& text)
{
    static constexpr std::u32string_view strokes = U"\u201a,'`\u2018\u2019|!.:;";
    std::u32string cps = Unicode::decode(Unicode::trimmed(text));
    size_t from = 0;
    while (from + 1 < cps.size() && strokes.find(cps[from]) != std::u32string_view::npos)
        ++from;
    return Unicode::trimmed(Unicode::encode(std::u32string_view(cps).substr(from)));
}

}  // namespace

int UnsureWords::reread(std::vector<OCRLine>& lines, double h, const Reader& read, int most)
{
    if (!(h > 0))
        return 0;
    std::vector<std::pair<size_t, size_t>> unsure;
    for (size_t l = 0; l < lines.size(); ++l)
        for (size_t i = 0; i < lines[l].words.size(); ++i) {
            const OCRWord& w = lines[l].words[i];
            // A word of letters and digits only may share a garbled neighbour's line
            // confidence, yet was read right.
            if (w.confidence < 0.75 && w.bbox.h >= 1.3 * h && Unicode::graphemes(w.text).size() >= 3 &&
                hasMarks(w.text))
                unsure.emplace_back(l, i);
        }
    std::stable_sort(unsure.begin(), unsure.end(), [&](const auto& a, const auto& b) {
        return lines[a.first].words[a.second].confidence < lines[b.first].words[b.second].confidence;
    });
    if (unsure.size() > static_cast<size_t>(std::max(most, 0)))
        unsure.resize(static_cast<size_t>(std::max(most, 0)));
    int replaced = 0;
    std::vector<bool> changed(lines.size(), false);
    for (const auto& [l, i] : unsure) {
        OCRWord& w = lines[l].words[i];
        const std::optional<Reading> again = read(w.bbox);
        // Several words back mean the box held more than this word (a neighbour it overlaps,
        // "Uberweisung." over "pdf"): taking them all would read that neighbour twice.
        if (!again || again->confidence < w.confidence + 0.1 || !Unicode::hasAlphanumeric(again->text) ||
            Unicode::trimmed(again->text).find(' ') != std::string::npos)
            continue;
        w.text = withoutLeadingStrokes(again->text);
        w.confidence = again->confidence;
        changed[l] = true;
        ++replaced;
    }
    for (size_t l = 0; l < lines.size(); ++l)
        if (changed[l])
            rejoinWords(lines[l]);
    return replaced;
}

}  // namespace VozudOzev
