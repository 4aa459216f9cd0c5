#include "Kestrow/Platform/ActiveApplication.hpp"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace Kestrow::ActiveApplication {

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// The property's bytes, at most a few kilobytes.
QByteArray property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    if (name == XCB_ATOM_NONE)
        return {};
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 1024), nullptr);
    if (!reply)
        return {};
    const int length = xcb_get_property_value_length(reply);
    QByteArray bytes(static_cast<const char*>(xcb_get_property_value(reply)), length > 0 ? length : 0);
    std::free(reply);
    return bytes;
}

}  // namespace

std::optional<QString> name()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return std::nullopt;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    if (!screen)
        return std::nullopt;
    const QByteArray active = property(c, screen->root, atom(c, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    if (active.size() < 4)
        return std::nullopt;
    xcb_window_t window = 0;
    std::memcpy(&window, active.constData(), 4);
    if (window == XCB_WINDOW_NONE)
        return std::nullopt;
    const QByteArray pid = property(c, window, atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL);
    if (pid.size() >= 4) {
        uint32_t value = 0;
        std::memcpy(&value, pid.constData(), 4);
        if (value == static_cast<uint32_t>(getpid()))
            return std::nullopt;
    }
    // WM_CLASS holds the instance and then the class name, each ending in a zero byte.
    const QList<QByteArray> parts = property(c, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0');
    for (qsizetype i = parts.size() - 1; i >= 0; --i)
        if (!parts[i].isEmpty())
            return QString::fromLocal8Bit(parts[i]);
    return std::nullopt;
}

}  // namespace Kestrow::ActiveApplication
