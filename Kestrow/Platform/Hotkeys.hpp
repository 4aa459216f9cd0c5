#pragma once

#include "Kestrow/Shell/Shortcut.hpp"

#include <functional>
#include <memory>
#include <vector>

namespace Kestrow {

struct HotkeyEntry {
    Shortcut shortcut;
    std::function<void()> action;
};

// System-wide hot keys. `registerAll` replaces every registration by the given entries and
// returns one flag per entry: false when the key is taken by another application, repeats an
// earlier entry of the same call, or cannot be grabbed at all. A later entry still registers
// when an earlier one fails. Actions run on the main thread, after the key event has been
// handled (queued), never on autorepeat.
//
//     std::unique_ptr<Hotkeys> keys = Hotkeys::forPlatform();   // X11, else the null backend
//     auto ok = keys->registerAll({{s.captureShortcut(), [&] { startCapture(false); }},
//                                  {s.quickCaptureShortcut(), [&] { startCapture(true); }}});
//     if (!ok[0]) conflicts.insert(ShortcutSlot::capture);
class Hotkeys {
public:
    virtual ~Hotkeys() = default;
    virtual std::vector<bool> registerAll(const std::vector<HotkeyEntry>& entries) = 0;
    virtual void unregisterAll() = 0;

    // The X11 backend when the application runs on xcb, else one that registers nothing.
    static std::unique_ptr<Hotkeys> forPlatform();
};

}  // namespace Kestrow
