#pragma once

#include <QRect>
#include <QString>

namespace Kestrow {

// One display as the capture sees it: global logical geometry (top-left origin), the part
// not covered by panels, and its device pixel ratio (pixels per logical point).
struct ScreenInfo {
    QString name;
    QRect geometry;
    QRect available;
    double devicePixelRatio = 1.0;

    friend bool operator==(const ScreenInfo&, const ScreenInfo&) = default;
};

}  // namespace Kestrow
