#pragma once

#include "Kestrow/Platform/Hotkeys.hpp"

#include <set>
#include <utility>

namespace Kestrow {

// For tests of the callers: registrations are kept in memory, `taken` shortcuts are refused as
// if another application held them, and `press` runs a registered action (queued, like X11).
class FakeHotkeys final : public Hotkeys {
public:
    std::vector<bool> registerAll(const std::vector<HotkeyEntry>& entries) override;
    void unregisterAll() override { registered.clear(); }

    // Queues the action of a registered shortcut on the main thread; false when none is.
    bool press(const Shortcut& shortcut);

    std::set<std::pair<std::uint32_t, std::uint32_t>> taken;  // (keyCode, modifiers)
    std::vector<HotkeyEntry> registered;
    int registerCalls = 0;
};

}  // namespace Kestrow
