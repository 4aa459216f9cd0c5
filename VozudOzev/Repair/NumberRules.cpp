#include "VozudOzev/Repair/NumberRules.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <tuple>

namespace VozudOzev::NumberRules {

namespace {

constexpr std::array<std::string_view, 11> prefixes{"+", "-", "\u2212", "(", "[", "$", "\u20AC", "\u00A3", "\u00A5",
                                                     "\u20AB", "\u2013"};
constexpr std::array<std::string_view, 5> suffixes{")", "]", "%", "\u0111", "\u20AB"};

bool isSeparator(char c)
{
    return c == '.' || c == ',';
}

// The digits-and-separators core of a token once signs, brackets, currency marks and a
// percent sign are taken off its ends (at most three each side).
std::string_view core(std::string_view token)
{
    for (int round = 0; round < 3; ++round)
        for (std::string_view p : prefixes)
            if (token.size() > p.size() && token.substr(0, p.size()) == p) {
                token.remove_prefix(p.size());
                break;
            }
    for (int round = 0; round < 3; ++round)
        for (std::string_view s : suffixes)
            if (token.size() > s.size() && token.substr(token.size() - s.size()) == s) {
                token.remove_suffix(s.size());
                break;
            }
    return token;
}

struct Shape {
    std::vector<std::string_view> groups;  // digit runs
    std::string separators;                // one between each two groups
};

// Nothing unless the core is digits with single separators between them.
std::optional<Shape> shapeOf(std::string_view c)
{
    if (c.empty() || !Unicode::isAsciiDigit(c.front()) || !Unicode::isAsciiDigit(c.back()))
        return std::nullopt;
    Shape s;
    size_t start = 0;
    for (size_t i = 0; i < c.size(); ++i) {
        if (Unicode::isAsciiDigit(c[i]))
            continue;
        if (!isSeparator(c[i]) || i == start)
            return std::nullopt;
        s.groups.push_back(c.substr(start, i - start));
        s.separators += c[i];
        start = i + 1;
    }
    s.groups.push_back(c.substr(start));
    return s;
}

// Groups [0, end) read as an integer grouped by threes (or Indian lakhs with commas).
bool groupedInteger(const Shape& s, size_t end, char sep)
{
    if (end == 1)
        return true;
    for (size_t i = 0; i + 1 < end; ++i)
        if (s.separators[i] != sep)
            return false;
    const auto len = [&](size_t i) { return s.groups[i].size(); };
    bool threes = len(0) >= 1 && len(0) <= 3;
    for (size_t i = 1; i < end && threes; ++i)
        threes = len(i) == 3;
    if (threes)
        return true;
    bool lakhs = sep == ',' && len(0) <= 2 && len(end - 1) == 3;
    for (size_t i = 1; i + 1 < end && lakhs; ++i)
        lakhs = len(i) == 2;
    return lakhs;
}

bool wellFormedShape(const Shape& s)
{
    const size_t n = s.groups.size();
    if (n <= 2)
        return true;  // an integer, or one separator read either way
    const char last = s.separators.back();
    const char first = s.separators.front();
    if (groupedInteger(s, n, first))
        return true;
    // Grouped integer part, then a decimal part after the other separator.
    return last != first && groupedInteger(s, n - 1, first);
}

// `longer` is `shorter` with at most one digit put in.
bool sameOrOneMore(const std::string& shorter, const std::string& longer)
{
    if (longer == shorter)
        return true;
    if (longer.size() != shorter.size() + 1)
        return false;
    size_t i = 0;
    while (i < shorter.size() && shorter[i] == longer[i])
        ++i;
    return shorter.compare(i, std::string::npos, longer, i + 1, std::string::npos) == 0;
}

bool isBody(const AssembledCell& c)
{
    return !c.header && c.colSpan == 1 && !c.text.empty();
}

// Body cells by column; a column counts as numeric when at least two of its cells hold
// one well-formed number and three in five hold something shaped like a number.
std::map<int, bool> numericColumns(const std::vector<AssembledCell>& cells)
{
    std::map<int, std::tuple<int, int, int>> counts;  // col -> (filled, well-formed, number-shaped)
    for (const AssembledCell& c : cells) {
        if (!isBody(c))
            continue;
        auto& [filled, good, shaped] = counts[c.col];
        ++filled;
        const bool oneToken = c.text.find(' ') == std::string::npos;
        if (oneToken && isWellFormedNumber(c.text))
            ++good;
        if (oneToken && (isWellFormedNumber(c.text) || isMalformedNumber(c.text)))
            ++shaped;
    }
    std::map<int, bool> numeric;
    for (const auto& [col, counted] : counts) {
        const auto [filled, good, shaped] = counted;
        numeric[col] = good >= 2 && shaped * 5 >= filled * 3;
    }
    return numeric;
}

// Dong amounts: a well-formed number and "đ", "₫" or the look-alike "d", attached or
// after one blank.
struct Amount {
    std::string number;
    std::string suffix;
    bool attached = true;
};

std::optional<Amount> amountOf(const std::string& text)
{
    for (std::string_view s : {std::string_view("\u0111"), std::string_view("\u20AB"), std::string_view("d")}) {
        if (text.size() <= s.size() || text.compare(text.size() - s.size(), s.size(), s) != 0)
            continue;
        std::string number = text.substr(0, text.size() - s.size());
        bool attached = true;
        if (!number.empty() && number.back() == ' ') {
            number.pop_back();
            attached = false;
        }
        if (number.empty() || number.find(' ') != std::string::npos || digitsOf(number).empty()
            || !isWellFormedNumber(number))
            return std::nullopt;
        return Amount{number, std::string(s), attached};
    }
    return std::nullopt;
}

}  // namespace

std::string digitsOf(std::string_view text)
{
    std::string d;
    for (char c : text)
        if (Unicode::isAsciiDigit(c))
            d += c;
    return d;
}

std::string collapsed(const std::string& text)
{
    std::string out;
    for (char32_t cp : Unicode::decode(Unicode::trimmed(text))) {
        if (Unicode::isWhitespace(cp)) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
            continue;
        }
        Unicode::append(out, cp);
    }
    return out;
}

bool isWellFormedNumber(std::string_view token)
{
    const std::optional<Shape> s = shapeOf(core(token));
    return s && wellFormedShape(*s);
}

bool isMalformedNumber(std::string_view token)
{
    const std::optional<Shape> s = shapeOf(core(token));
    if (!s || s->groups.size() < 3 || wellFormedShape(*s))
        return false;
    // 12.05.2024 is a date and 4.1.2 an outline number, not a broken amount.
    const auto len = [&](size_t i) { return s->groups[i].size(); };
    if (s->groups.size() == 3 && s->separators[0] == s->separators[1] && len(0) <= 2 && len(1) <= 2
        && (len(2) == 2 || len(2) == 4))
        return false;
    return std::any_of(s->groups.begin(), s->groups.end(), [](std::string_view g) { return g.size() >= 3; });
}

std::string joinSplitGroups(const std::string& text)
{
    std::vector<std::string> toks = tokens(text);
    const auto splitAtSeparator = [](const std::string& a, const std::string& b) {
        return (isSeparator(a.back()) && Unicode::isAsciiDigit(b.front()))
               || (Unicode::isAsciiDigit(a.back()) && b.size() > 1 && isSeparator(b[0]) && Unicode::isAsciiDigit(b[1]));
    };
    bool joined = false;
    for (size_t i = 0; i + 1 < toks.size(); ++i) {
        // The longest run of pieces split at separators that joins into a grouped number
        // with two separators at least ("12. 500" alone could be a numbered item).
        std::string run = toks[i];
        size_t best = i;
        std::string bestText;
        for (size_t j = i + 1; j < toks.size() && splitAtSeparator(toks[j - 1], toks[j]); ++j) {
            run += toks[j];
            const std::optional<Shape> s = shapeOf(core(run));
            if (s && s->separators.size() >= 2 && wellFormedShape(*s)) {
                best = j;
                bestText = run;
            }
        }
        if (best > i) {
            toks[i] = bestText;
            toks.erase(toks.begin() + static_cast<long>(i) + 1, toks.begin() + static_cast<long>(best) + 1);
            joined = true;
        }
    }
    if (!joined)
        return text;
    std::string out;
    for (const std::string& t : toks) {
        if (!out.empty())
            out += ' ';
        out += t;
    }
    return out;
}

void unifyCurrencySuffix(std::vector<AssembledCell>& cells)
{
    struct Column {
        int amounts = 0;
        int dong = 0;                                  // written with "đ" or "₫"
        std::map<std::pair<std::string, bool>, int> forms;  // (sign, attached) of those
    };
    std::map<int, Column> columns;
    for (const AssembledCell& c : cells)
        if (isBody(c))
            if (const auto a = amountOf(c.text)) {
                Column& col = columns[c.col];
                ++col.amounts;
                if (a->suffix != "d") {
                    ++col.dong;
                    ++col.forms[{a->suffix, a->attached}];
                }
            }
    for (const auto& [index, col] : columns) {
        // Only a clear majority of real dong signs decides; "d" alone may mean days.
        if (col.dong < 2 || col.dong * 10 < col.amounts * 6)
            continue;
        const auto best = std::max_element(col.forms.begin(), col.forms.end(),
                                           [](const auto& x, const auto& y) { return x.second < y.second; });
        const auto& [suffix, attached] = best->first;
        for (AssembledCell& c : cells) {
            if (c.col != index || !isBody(c))
                continue;
            if (const auto a = amountOf(c.text))
                c.text = a->number + (attached ? "" : " ") + suffix;
        }
    }
}

RereadCounts rereadMalformed(std::vector<AssembledCell>& cells, const CropReading::Reader& reread)
{
    RereadCounts counts;
    const std::map<int, bool> numeric = numericColumns(cells);
    for (AssembledCell& c : cells) {
        if (!isBody(c) || !numeric.at(c.col) || c.text.find(' ') != std::string::npos || !isMalformedNumber(c.text))
            continue;
        std::optional<std::string> read;
        if (c.box)
            read = reread(*c.box);
        if (read) {
            const std::string candidate = joinSplitGroups(collapsed(*read));
            if (candidate.find(' ') == std::string::npos && isWellFormedNumber(candidate)
                && sameOrOneMore(digitsOf(c.text), digitsOf(candidate))) {
                c.text = candidate;
                CropReading::cap(c);
                ++counts.fixed;
                continue;
            }
        }
        CropReading::cap(c);
        ++counts.flagged;
    }
    return counts;
}

std::vector<std::string> tokens(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

}  // namespace VozudOzev::NumberRules
