#pragma once

#include <chrono>

namespace VozudOzev {

// The zone in which a moment is written for a person: UTC, a fixed offset or the
// machine's local zone (whose offset may change with the moment).
struct TimeZone {
    enum class Kind { fixed, local };

    Kind kind = Kind::fixed;
    int offsetSeconds = 0;  // east of UTC; used by fixed zones only

    static TimeZone utc() { return {}; }
    static TimeZone fixed(int secondsEastOfUTC) { return {Kind::fixed, secondsEastOfUTC}; }
    static TimeZone local() { return {Kind::local, 0}; }

    // Seconds east of UTC at that moment.
    int offset(std::chrono::system_clock::time_point at) const;

    bool operator==(const TimeZone&) const = default;
};

}  // namespace VozudOzev
