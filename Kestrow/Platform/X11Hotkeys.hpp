#pragma once

#include "Kestrow/Platform/Hotkeys.hpp"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>
#include <vector>

struct xcb_connection_t;

namespace Kestrow {

// Key grabs on the root window through Qt's own xcb connection, each in its four
// NumLock/CapsLock variants. A grab refused with BadAccess means another client holds the key.
class X11Hotkeys final : public Hotkeys, private QAbstractNativeEventFilter {
public:
    // Null connection: every registration fails.
    X11Hotkeys(xcb_connection_t* connection, std::uint32_t rootWindow);
    ~X11Hotkeys() override;

    std::vector<bool> registerAll(const std::vector<HotkeyEntry>& entries) override;
    void unregisterAll() override;

    // Handles one xcb event; true when it was one of our hot keys. The native event filter
    // calls it for every event.
    bool filter(void* xcbEvent);

    // X modifier bits for a shortcut's mask (Super = Mod4, Alt = Mod1, Ctrl, Shift).
    static std::uint16_t xModifiers(std::uint32_t modifiers);

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool grab(std::uint8_t keyCode, std::uint16_t mods);
    void ungrab(std::uint8_t keyCode, std::uint16_t mods);

    struct Grab {
        std::uint8_t keyCode = 0;
        std::uint16_t mods = 0;
        std::function<void()> action;
    };

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::vector<Grab> grabs_;
    std::uint8_t heldKey_ = 0;  // the hot key now down, to ignore its autorepeat
    std::uint8_t lastReleaseKey_ = 0;
    std::uint32_t lastReleaseTime_ = 0;
    std::uint32_t lastPressTime_ = 0;
    bool filterInstalled_ = false;
};

}  // namespace Kestrow
