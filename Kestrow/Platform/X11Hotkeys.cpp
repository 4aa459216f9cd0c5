#include "Kestrow/Platform/X11Hotkeys.hpp"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace Kestrow {

namespace {

// Which modifier bit carries a key (Alt_L, Super_L, Num_Lock) in the server's map, if any.
std::uint16_t maskOf(KeySym wanted, std::uint16_t fallback) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return fallback;
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map) return fallback;
    std::uint16_t mask = 0;
    for (int mod = 0; mod < 8 && !mask; ++mod)
        for (int k = 0; k < map->max_keypermod; ++k) {
            const KeyCode code = map->modifiermap[mod * map->max_keypermod + k];
            if (code && XkbKeycodeToKeysym(display, code, 0, 0) == wanted) {
                mask = std::uint16_t(1u << mod);
                break;
            }
        }
    XFreeModifiermap(map);
    return mask ? mask : fallback;
}

struct ModifierBits {
    std::uint16_t alt, super, numLock;
};

const ModifierBits& modifierBits() {
    static const ModifierBits bits{maskOf(XK_Alt_L, XCB_MOD_MASK_1), maskOf(XK_Super_L, XCB_MOD_MASK_4),
                                   maskOf(XK_Num_Lock, XCB_MOD_MASK_2)};
    return bits;
}

}  // namespace

X11Hotkeys::X11Hotkeys(xcb_connection_t* connection, std::uint32_t rootWindow)
    : connection_(connection), root_(rootWindow) {}

X11Hotkeys::~X11Hotkeys() {
    unregisterAll();
    if (filterInstalled_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::uint16_t X11Hotkeys::xModifiers(std::uint32_t modifiers) {
    const ModifierBits& bits = modifierBits();
    std::uint16_t mods = 0;
    if (modifiers & Shortcut::control) mods |= bits.super;
    if (modifiers & Shortcut::option) mods |= bits.alt;
    if (modifiers & Shortcut::shift) mods |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Shortcut::command) mods |= XCB_MOD_MASK_CONTROL;
    return mods;
}

static std::vector<std::uint16_t> lockVariants() {
    const std::uint16_t num = modifierBits().numLock;
    return {0, XCB_MOD_MASK_LOCK, num, std::uint16_t(XCB_MOD_MASK_LOCK | num)};
}

bool X11Hotkeys::grab(std::uint8_t keyCode, std::uint16_t mods) {
    std::vector<std::uint16_t> taken;
    for (std::uint16_t variant : lockVariants()) {
        xcb_void_cookie_t cookie = xcb_grab_key_checked(connection_, 1, root_, std::uint16_t(mods | variant), keyCode,
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            // BadAccess: another client holds this combination. All four or none.
            std::free(error);
            for (std::uint16_t t : taken) xcb_ungrab_key(connection_, keyCode, root_, std::uint16_t(mods | t));
            xcb_flush(connection_);
            return false;
        }
        taken.push_back(variant);
    }
    return true;
}

void X11Hotkeys::ungrab(std::uint8_t keyCode, std::uint16_t mods) {
    for (std::uint16_t variant : lockVariants())
        xcb_ungrab_key(connection_, keyCode, root_, std::uint16_t(mods | variant));
    xcb_flush(connection_);
}

std::vector<bool> X11Hotkeys::registerAll(const std::vector<HotkeyEntry>& entries) {
    unregisterAll();
    if (!filterInstalled_ && QCoreApplication::instance()) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        filterInstalled_ = true;
    }
    std::vector<bool> ok;
    std::vector<Shortcut> seen;
    for (const HotkeyEntry& e : entries) {
        const bool repeat = std::find(seen.begin(), seen.end(), e.shortcut) != seen.end();
        seen.push_back(e.shortcut);
        const std::uint32_t code = e.shortcut.keyCode;
        const std::uint16_t mods = xModifiers(e.shortcut.modifiers);
        // X11 keycodes run from 8 to 255; a key without any modifier would swallow typing.
        const bool valid = connection_ && code >= 8 && code <= 255 && mods != 0 && mods != XCB_MOD_MASK_SHIFT;
        if (repeat || !valid || !grab(std::uint8_t(code), mods)) {
            ok.push_back(false);
            continue;
        }
        grabs_.push_back({std::uint8_t(code), mods, e.action});
        ok.push_back(true);
    }
    return ok;
}

void X11Hotkeys::unregisterAll() {
    if (connection_)
        for (const Grab& g : grabs_) ungrab(g.keyCode, g.mods);
    grabs_.clear();
    heldKey_ = 0;
}

bool X11Hotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    return eventType == "xcb_generic_event_t" && filter(message);
}

bool X11Hotkeys::filter(void* xcbEvent) {
    if (grabs_.empty()) return false;
    auto* event = static_cast<xcb_generic_event_t*>(xcbEvent);
    const std::uint8_t type = event->response_type & ~0x80;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
    // The grabs report owner events: while one of this application's windows has the focus
    // (an alert, a result window, the overlay) the keys arrive on that window, not on the root.
    if (type == XCB_KEY_RELEASE) {
        // From any window: once the overlay grabs the keyboard, the release goes to it. Matched
        // by key alone, as the modifiers may already be up.
        if (key->detail == heldKey_) {
            heldKey_ = 0;
            lastReleaseKey_ = key->detail;
            lastReleaseTime_ = key->time;
        }
        return false;
    }
    const std::uint16_t locks = std::uint16_t(XCB_MOD_MASK_LOCK | modifierBits().numLock);
    const std::uint16_t state = std::uint16_t(key->state & 0xff & ~locks);
    for (const Grab& g : grabs_) {
        if (g.keyCode != key->detail || g.mods != state) continue;
        // Held keys repeat: as presses without releases (detectable autorepeat) or as release
        // and press pairs with one timestamp. Repeats come well within a second of each other,
        // so a press after a longer pause is new even if its release went astray.
        const bool held = heldKey_ == key->detail && std::uint32_t(key->time - lastPressTime_) < 1000;
        const bool repeat = held || (lastReleaseKey_ == key->detail && lastReleaseTime_ == key->time);
        heldKey_ = key->detail;
        lastPressTime_ = key->time;
        if (!repeat && g.action)
            QMetaObject::invokeMethod(QCoreApplication::instance(), g.action, Qt::QueuedConnection);
        return true;
    }
    return false;
}

}  // namespace Kestrow
