#include "VozudOzev/Export/TimeZone.hpp"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace VozudOzev;

TEST(TimeZone, FixedAndLocalOffsets)
{
    const auto now = std::chrono::system_clock::now();
    EXPECT_EQ(TimeZone::utc().offset(now), 0);
    EXPECT_EQ(TimeZone::fixed(-9000).offset(now), -9000);

    // A POSIX zone string needs no zone database.
    const char* old = std::getenv("TZ");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("TZ", "ICT-7", 1);
    ::tzset();
    EXPECT_EQ(TimeZone::local().offset(now), 7 * 3600);
    if (saved)
        ::setenv("TZ", saved->c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
