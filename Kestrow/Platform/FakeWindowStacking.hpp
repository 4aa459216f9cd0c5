#pragma once

#include "Kestrow/Platform/WindowStacking.hpp"

namespace Kestrow {

// A fixed stacking for tests; counts how often it was asked.
class FakeWindowStacking final : public WindowStacking {
public:
    std::vector<Window> windows;
    int reads = 0;

    std::vector<Window> frontToBack(const std::vector<std::uint64_t>&) override
    {
        ++reads;
        return windows;
    }
};

}  // namespace Kestrow
