#pragma once

#include <chrono>
#include <cstdint>

namespace VozudOzev::Clock {

// Monotonic nanoseconds.
inline std::int64_t now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double millisecondsSince(std::int64_t start)
{
    return static_cast<double>(now() - start) / 1e6;
}

}  // namespace VozudOzev::Clock
