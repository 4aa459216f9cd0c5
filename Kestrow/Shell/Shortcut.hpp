#pragma once

#include <QByteArray>
#include <qnamespace.h>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace Kestrow {

// One global shortcut: an X11 keycode (positional, like a virtual key code: T is 28 on a
// US-shaped keyboard) and a modifier mask in the original bit values, read on Linux as
// control = Super, option = Alt, shift = Shift, command = Ctrl.
struct Shortcut {
    static constexpr std::uint32_t command = 0x100;  // Ctrl
    static constexpr std::uint32_t shift = 0x200;    // Shift
    static constexpr std::uint32_t option = 0x800;   // Alt
    static constexpr std::uint32_t control = 0x1000; // Super

    std::uint32_t keyCode = 0;
    std::uint32_t modifiers = 0;

    friend bool operator==(const Shortcut&, const Shortcut&) = default;

    // Super+Shift+T and Super+Alt+Shift+T.
    static Shortcut defaultCapture() { return {28, control | shift}; }
    static Shortcut defaultQuickCapture() { return {28, control | option | shift}; }

    // A shortcut from a key press, or nothing when neither Super, Alt nor Ctrl is held (a key
    // alone or with Shift only is no shortcut). Lock keys are ignored.
    static std::optional<Shortcut> fromKeyEvent(const QKeyEvent& event);
    static std::optional<Shortcut> fromKey(std::uint32_t nativeKeyCode, Qt::KeyboardModifiers modifiers);

    // {"keyCode":28,"modifiers":4608}; reading fails on a missing member or a value that is
    // not an unsigned 32-bit integer.
    QByteArray toJson() const;
    static std::optional<Shortcut> fromJson(const QByteArray& json);

    // The key caps to show, in the order Super, Alt, Shift, Ctrl, then the key.
    QStringList keycaps() const;
    // The symbol or name of one key: fixed names for a few keys, else what the current
    // keyboard layout prints on it (upper case), else "?".
    static QString keyName(std::uint32_t keyCode);
};

}  // namespace Kestrow
