#pragma once

#include "Kestrow/Platform/WindowStacking.hpp"

namespace Kestrow {

// The stacking read from the window manager's _NET_CLIENT_LIST_STACKING, or from the root
// window's children (XQueryTree) when no window manager keeps that list. Empty without X11.
class X11WindowStacking final : public WindowStacking {
public:
    std::vector<Window> frontToBack(const std::vector<std::uint64_t>& ours) override;
};

}  // namespace Kestrow
