#pragma once

#include "Kestrow/Capture/ScreenSource.hpp"

class QScreen;

namespace Kestrow {

// The real screens through QScreen::grabWindow(0) at each screen's device pixel ratio.
class QtScreenSource final : public ScreenSource {
public:
    std::vector<ScreenInfo> screens() const override;
    std::vector<FrozenFrame> grabAll() override;

    static ScreenInfo info(const QScreen& screen);
    // Leaves out a monitor whose geometry holds two or more of the others (the whole root
    // window that RandR lists beside its real monitors).
    static std::vector<ScreenInfo> distinct(std::vector<ScreenInfo> screens);
};

}  // namespace Kestrow
