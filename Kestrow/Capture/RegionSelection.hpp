#pragma once

#include "Kestrow/Capture/FrozenFrame.hpp"

#include <QRectF>

namespace Kestrow {

// A rectangle the user chose: global logical coordinates (top-left origin), lying on the
// screen of `frame`, whose frozen picture the capture crops.
struct RegionSelection {
    QRectF rect;
    FrozenFrame frame;
};

}  // namespace Kestrow
