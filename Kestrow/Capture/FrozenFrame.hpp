#pragma once

#include "Kestrow/Capture/ScreenInfo.hpp"

#include <QImage>

namespace Kestrow {

// What one screen showed when a capture began, in device pixels (the image's device pixel
// ratio is the screen's). The overlay paints it and the capture crops it, so the user gets
// exactly the pixels they saw.
struct FrozenFrame {
    ScreenInfo screen;
    QImage image;
};

}  // namespace Kestrow
