#pragma once

#include "Kestrow/Capture/ScreenSource.hpp"

namespace Kestrow {

// Fixed screens and pictures for tests.
class FakeScreenSource final : public ScreenSource {
public:
    explicit FakeScreenSource(std::vector<FrozenFrame> frames = {}) : frames(std::move(frames)) {}
    std::vector<ScreenInfo> screens() const override {
        std::vector<ScreenInfo> out;
        for (const FrozenFrame& f : frames) out.push_back(f.screen);
        return out;
    }
    std::vector<FrozenFrame> grabAll() override {
        ++grabs;
        return frames;
    }
    std::vector<FrozenFrame> frames;
    int grabs = 0;
};

}  // namespace Kestrow
