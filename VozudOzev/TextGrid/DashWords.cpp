#include "VozudOzev/TextGrid/DashWords.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <string_view>

namespace VozudOzev {

namespace {

bool dashesOnly(const std::string& text)
{
    static constexpr std::u32string_view dashes = U"-\u2010\u2011\u2012\u2013\u2014\u2015\u2212\u2500_";
    const std::u32string cps = Unicode::decode(text);
    return !cps.empty() &&
           std::all_of(cps.begin(), cps.end(), [](char32_t c) { return dashes.find(c) != std::u32string_view::npos; });
}

}  // namespace

int DashWords::reread(std::vector<OCRLine>& lines, double h, const Reader& read)
{
    if (h <= 0)
        return 0;
    int replaced = 0;
    for (OCRLine& line : lines) {
        bool changed = false;
        for (OCRWord& w : line.words) {
            if (!dashesOnly(w.text) || w.bbox.h < 0.8 * h || w.bbox.w < 1.5 * w.bbox.h)
                continue;
            const std::optional<std::string> again = read(w.bbox);
            if (!again || !Unicode::hasAlphanumeric(*again))
                continue;
            w.text = Unicode::trimmed(*again);
            // Read from a crop: never surer than the page's reading of the rest.
            w.confidence = std::min(w.confidence, 0.5);
            changed = true;
            ++replaced;
        }
        if (changed)
            rejoinWords(line);
    }
    return replaced;
}

}  // namespace VozudOzev
