#include "VozudOzev/Locale/DateParser.hpp"

#include "VozudOzev/Model/Unicode.hpp"

namespace VozudOzev::DateParser {

namespace {

bool isLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::optional<ParsedDate> date(int year, int month, int day)
{
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return std::nullopt;
    const int length = month == 2 && isLeap(year) ? 29 : lengths[month - 1];
    if (day > length)
        return std::nullopt;
    return ParsedDate{year, month, day};
}

struct Group {
    int value = 0;
    int digits = 0;
};

}  // namespace

std::optional<DateCandidates> candidates(std::string_view text)
{
    // Cheap refusal first: most cells have no date separator at all.
    if (text.find_first_of("/-.") == std::string_view::npos)
        return std::nullopt;
    const std::string s = Unicode::trimmed(text);
    Group groups[3];
    int count = 0;
    char separator = 0;
    size_t i = 0;
    while (true) {
        if (count == 3)
            return std::nullopt;
        Group& g = groups[count++];
        while (i < s.size() && Unicode::isAsciiDigit(s[i])) {
            if (++g.digits > 4)
                return std::nullopt;
            g.value = g.value * 10 + (s[i] - '0');
            ++i;
        }
        if (g.digits == 0)
            return std::nullopt;
        if (i == s.size())
            break;
        const char c = s[i++];
        if (c != '/' && c != '-' && c != '.')
            return std::nullopt;
        if (separator != 0 && c != separator)
            return std::nullopt;
        separator = c;
    }
    if (count != 3)
        return std::nullopt;

    DateCandidates out;
    const Group& a = groups[0];
    const Group& b = groups[1];
    const Group& c = groups[2];
    if (a.digits == 4) {
        if (a.value < 1000 || b.digits > 2 || c.digits > 2)
            return std::nullopt;
        out.ymd = date(a.value, b.value, c.value);
    } else {
        if (a.digits > 2 || b.digits > 2 || (c.digits != 2 && c.digits != 4))
            return std::nullopt;
        int year = c.value;
        if (c.digits == 2)
            year += year < 70 ? 2000 : 1900;
        else if (year < 1000)
            return std::nullopt;
        out.dmy = date(year, b.value, a.value);
        out.mdy = date(year, a.value, b.value);
    }
    if (!out.dmy && !out.mdy && !out.ymd)
        return std::nullopt;
    return out;
}

void count(DateColumnResolution& r, const DateCandidates& c)
{
    if (c.ymd)
        ++r.yearFirst;
    else if (c.dmy && !c.mdy)
        ++r.dayFirstOnly;
    else if (c.dmy && c.mdy && *c.dmy != *c.mdy)
        ++r.ambiguousCount;
    else if (c.mdy && !c.dmy)
        ++r.monthFirstOnly;
}

void decide(DateColumnResolution& r, std::optional<DateOrder> override, DateOrder fallback)
{
    r.isAmbiguous = false;
    if (override) {
        r.order = *override;
    } else if (r.monthFirstOnly != r.dayFirstOnly) {
        r.order = r.monthFirstOnly > r.dayFirstOnly ? DateOrder::mdy : DateOrder::dmy;
    } else if (r.dayFirstOnly > 0 || r.ambiguousCount > 0) {
        r.order = fallback == DateOrder::ymd ? DateOrder::dmy : fallback;
        r.isAmbiguous = true;
    } else {
        r.order = r.yearFirst > 0 ? DateOrder::ymd : fallback;
    }
}

}  // namespace VozudOzev::DateParser
