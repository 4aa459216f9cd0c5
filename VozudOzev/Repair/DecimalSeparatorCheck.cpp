#include "VozudOzev/Repair/DecimalSeparatorCheck.hpp"

#include "VozudOzev/Repair/NumberRules.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <map>

namespace VozudOzev::DecimalSeparatorCheck {

namespace {

using NumberRules::digitsOf;

enum class Style { none, comma, point };

// Which decimal separator a one-number text shows, if it shows one: "12,5", "1.234,56"
// and "1.234.567" write commas; "12.5", "1,234.56" and "1,234,567" write points; "1.234"
// and "1,234" could be either.
Style styleOf(const std::string& text)
{
    if (text.empty() || text.find(' ') != std::string::npos || !NumberRules::isWellFormedNumber(text))
        return Style::none;
    std::string seps;
    size_t firstDigit = std::string::npos, lastSep = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (Unicode::isAsciiDigit(text[i]) && firstDigit == std::string::npos)
            firstDigit = i;
        if ((text[i] == '.' || text[i] == ',') && i > 0 && i + 1 < text.size() && Unicode::isAsciiDigit(text[i - 1])
            && Unicode::isAsciiDigit(text[i + 1])) {
            seps += text[i];
            lastSep = i;
        }
    }
    if (seps.empty())
        return Style::none;
    const auto as = [](char sep) { return sep == ',' ? Style::comma : Style::point; };
    const auto other = [](char sep) { return sep == ',' ? Style::point : Style::comma; };
    if (seps.size() == 1) {
        size_t after = 0;
        while (lastSep + 1 + after < text.size() && Unicode::isAsciiDigit(text[lastSep + 1 + after]))
            ++after;
        const bool leadingZero = text[firstDigit] == '0' && firstDigit + 1 == lastSep;
        if (after != 3 || leadingZero)
            return as(seps[0]);
        return Style::none;
    }
    if (seps.back() != seps.front())
        return as(seps.back());
    return other(seps.front());  // every separator groups thousands
}

}  // namespace

Counts apply(std::vector<AssembledCell>& cells, const Options& options, const CropReading::Reader& reread)
{
    std::map<int, std::pair<int, int>> evidence;  // col -> (comma, point)
    for (const AssembledCell& c : cells) {
        if (c.header || c.colSpan != 1)
            continue;
        const Style s = styleOf(c.text);
        if (s == Style::comma)
            ++evidence[c.col].first;
        else if (s == Style::point)
            ++evidence[c.col].second;
    }
    const int minEvidence = options.extended ? 1 : 2;
    Counts counts;
    for (const auto& [col, cp] : evidence) {
        const auto [comma, point] = cp;
        const bool commaColumn = comma >= minEvidence && point > 0 && (comma > point || (comma == point && options.preferComma));
        if (!commaColumn)
            continue;
        for (AssembledCell& c : cells) {
            if (c.col != col || c.header || c.colSpan != 1 || styleOf(c.text) != Style::point)
                continue;
            if (!c.box) {
                CropReading::cap(c);
                ++counts.flagged;
                continue;
            }
            std::optional<std::string> read = reread(*c.box);
            if (read) {
                const std::string candidate = Unicode::trimmed(*read);
                if (styleOf(candidate) == Style::comma && digitsOf(candidate) == digitsOf(c.text)) {
                    c.text = candidate;
                    CropReading::cap(c);
                    ++counts.confirmed;
                    continue;
                }
            }
            CropReading::cap(c);
            ++counts.reread;
        }
    }
    return counts;
}

}  // namespace VozudOzev::DecimalSeparatorCheck
