#include "VozudOzev/Export/TimeZone.hpp"

#include <ctime>

namespace VozudOzev {

int TimeZone::offset(std::chrono::system_clock::time_point at) const
{
    if (kind == Kind::fixed)
        return offsetSeconds;
    const std::time_t t = std::chrono::system_clock::to_time_t(at);
    std::tm parts{};
    if (!localtime_r(&t, &parts))
        return 0;
    return static_cast<int>(parts.tm_gmtoff);
}

}  // namespace VozudOzev
