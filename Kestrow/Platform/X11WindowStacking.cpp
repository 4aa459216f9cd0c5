#include "Kestrow/Platform/X11WindowStacking.hpp"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

namespace Kestrow {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> own(T* reply)
{
    return Reply<T>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto reply = own(xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A window property of 32-bit items; none when absent.
std::optional<std::vector<uint32_t>> cardinals(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type)
{
    if (property == XCB_ATOM_NONE)
        return std::nullopt;
    const auto reply = own(xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1 << 16), nullptr));
    if (!reply || reply->type != type || reply->format != 32)
        return std::nullopt;
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<uint32_t>(data, data + xcb_get_property_value_length(reply.get()) / 4);
}

xcb_window_t parentOf(xcb_connection_t* c, xcb_window_t w)
{
    const auto reply = own(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
    return reply ? reply->parent : xcb_window_t{XCB_WINDOW_NONE};
}

}  // namespace

std::vector<WindowStacking::Window> X11WindowStacking::frontToBack(const std::vector<std::uint64_t>& ours)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || xcb_connection_has_error(c))
        return {};
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return {};
    const xcb_window_t root = screen->root;

    // Bottom to top: the window manager's list of client windows, else the root's children.
    std::vector<xcb_window_t> stack;
    std::map<xcb_window_t, std::uint64_t> names;  // a root child holding one of ours -> ours
    if (const auto clients = cardinals(c, root, atom(c, "_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW)) {
        stack.assign(clients->begin(), clients->end());
    } else {
        const auto tree = own(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
        if (!tree)
            return {};
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        stack.assign(children, children + xcb_query_tree_children_length(tree.get()));
        for (const std::uint64_t id : ours) {
            // Walk up from our window to the root child holding it (a frame, or itself).
            xcb_window_t w = static_cast<xcb_window_t>(id);
            for (int depth = 0; depth < 16 && w != XCB_WINDOW_NONE; ++depth) {
                const xcb_window_t parent = parentOf(c, w);
                if (parent == root) {
                    names[w] = id;
                    break;
                }
                w = parent;
            }
        }
    }

    const xcb_atom_t opacity = atom(c, "_NET_WM_WINDOW_OPACITY");
    std::vector<Window> windows;
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        const xcb_window_t w = *it;
        const auto attributes = own(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE || attributes->override_redirect)
            continue;
        if (const auto alpha = cardinals(c, w, opacity, XCB_ATOM_CARDINAL); alpha && !alpha->empty() && (*alpha)[0] == 0)
            continue;
        const auto geometry = own(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr));
        const auto origin =
            own(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, root, 0, 0), nullptr));
        if (!geometry || !origin)
            continue;
        const auto named = names.find(w);
        windows.push_back({named != names.end() ? named->second : w,
                           QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height)});
    }
    return windows;
}

}  // namespace Kestrow
