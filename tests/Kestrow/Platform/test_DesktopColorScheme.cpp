#include "Kestrow/Platform/DesktopColorScheme.hpp"

#include <gtest/gtest.h>

using namespace Kestrow;

TEST(DesktopColorScheme, PortalValuesMapToAPreference)
{
    const struct { std::uint32_t value; std::optional<bool> dark; } cases[] = {
        {0, std::nullopt}, {1, true}, {2, false}, {3, std::nullopt}, {0xffffffffu, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopColorScheme::fromPortalValue(c.value), c.dark) << c.value;
}
