#pragma once

#include "Kestrow/Capture/FrozenFrame.hpp"

#include <vector>

namespace Kestrow {

// Where the screens' pictures come from.
//
//     QtScreenSource source;                        // QScreen::grabWindow of every screen
//     std::vector<FrozenFrame> frames = source.grabAll();
//     FakeScreenSource fake({{screenInfo, image}});  // tests: fixed screens and pixels
class ScreenSource {
public:
    virtual ~ScreenSource() = default;
    // The connected screens, in the desktop's order; a monitor that spans others is left out.
    virtual std::vector<ScreenInfo> screens() const = 0;
    // One frame per screen of `screens()`; a screen that cannot be grabbed gives a null image.
    virtual std::vector<FrozenFrame> grabAll() = 0;
};

}  // namespace Kestrow
