#include "VozudOzev/Export/ISODate.hpp"

#include <charconv>
#include <cstdio>

namespace VozudOzev::ISODate {

namespace {

bool number(std::string_view text, size_t at, size_t width, int& out)
{
    if (at + width > text.size())
        return false;
    for (size_t i = at; i < at + width; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return std::from_chars(text.data() + at, text.data() + at + width, out).ec == std::errc{};
}

}  // namespace

std::string format(std::chrono::system_clock::time_point at)
{
    using namespace std::chrono;
    const auto seconds = floor<std::chrono::seconds>(at);
    const auto days = floor<std::chrono::days>(seconds);
    const year_month_day date{days};
    const hh_mm_ss<std::chrono::seconds> time{seconds - days};
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return buf;
}

std::optional<std::chrono::system_clock::time_point> parse(std::string_view text)
{
    using namespace std::chrono;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (text.size() < 20 || !number(text, 0, 4, y) || text[4] != '-' || !number(text, 5, 2, mo) || text[7] != '-' ||
        !number(text, 8, 2, d) || text[10] != 'T' || !number(text, 11, 2, h) || text[13] != ':' ||
        !number(text, 14, 2, mi) || text[16] != ':' || !number(text, 17, 2, s))
        return std::nullopt;
    int offset = 0;
    const std::string_view zone = text.substr(19);
    if (zone == "Z") {
        offset = 0;
    } else if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':') {
        int oh = 0, om = 0;
        if (!number(zone, 1, 2, oh) || !number(zone, 4, 2, om) || oh > 23 || om > 59)
            return std::nullopt;
        offset = (oh * 3600 + om * 60) * (zone[0] == '-' ? -1 : 1);
    } else {
        return std::nullopt;
    }
    const year_month_day date{year{y}, month{static_cast<unsigned>(mo)}, day{static_cast<unsigned>(d)}};
    if (!date.ok() || h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    const sys_seconds at = sys_days{date} + hours{h} + minutes{mi} + seconds{s} - seconds{offset};
    // The clock counts nanoseconds in 64 bits (years 1677 to 2262): a moment past that range
    // would overflow into some other year.
    if (at < floor<seconds>(system_clock::time_point::min()) + seconds{1} || at > floor<seconds>(system_clock::time_point::max()))
        return std::nullopt;
    return time_point_cast<system_clock::duration>(at);
}

}  // namespace VozudOzev::ISODate
