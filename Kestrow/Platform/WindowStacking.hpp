#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

namespace Kestrow {

// The normal windows on screen in stacking order, as the window manager or X server has them.
class WindowStacking {
public:
    struct Window {
        std::uint64_t id = 0;  // for a window manager's frame around one of ours: our window's id
        QRect frame;           // device pixels, root coordinates
    };

    virtual ~WindowStacking() = default;
    // Viewable windows of the normal level, front to back. Override-redirect windows (menus,
    // toasts, the selection overlay) and fully transparent ones are left out. `ours` are our
    // top-level windows, so a frame holding one of them is named by it.
    virtual std::vector<Window> frontToBack(const std::vector<std::uint64_t>& ours) = 0;
};

}  // namespace Kestrow
