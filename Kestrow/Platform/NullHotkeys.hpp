#pragma once

#include "Kestrow/Platform/Hotkeys.hpp"

namespace Kestrow {

// Where there is no X11 display (offscreen, native Wayland): every registration fails.
class NullHotkeys final : public Hotkeys {
public:
    std::vector<bool> registerAll(const std::vector<HotkeyEntry>& entries) override {
        return std::vector<bool>(entries.size(), false);
    }
    void unregisterAll() override {}
};

}  // namespace Kestrow
