#include "Kestrow/Shell/Palette.hpp"

namespace Kestrow {

namespace {
QColor rgb(int r, int g, int b, double alpha = 1.0) {
    QColor c = QColor::fromRgbF(r / 255.0f, g / 255.0f, b / 255.0f);
    c.setAlphaF(static_cast<float>(alpha));
    return c;
}
}  // namespace

const Palette& Palette::light() {
    static const Palette p{
        .bg = Qt::white, .window = Qt::white, .bar = rgb(250, 250, 250), .card = rgb(244, 244, 245),
        .hairline = rgb(230, 230, 232), .ink = rgb(17, 17, 19), .muted = rgb(107, 107, 112),
        .primaryFill = rgb(17, 17, 19), .primaryText = Qt::white, .accent = rgb(47, 107, 255),
        .progress = {rgb(87, 193, 255), rgb(47, 107, 255)},
        .flagFill = rgb(255, 233, 168), .flagText = rgb(138, 90, 0), .mismatch = rgb(240, 112, 32),
        .ok = rgb(31, 157, 92)};
    return p;
}

const Palette& Palette::dark() {
    static const Palette p{
        .bg = rgb(7, 8, 10), .window = rgb(16, 17, 17), .bar = rgb(13, 13, 13), .card = rgb(24, 25, 27),
        .hairline = rgb(36, 39, 40), .ink = rgb(244, 244, 246), .muted = rgb(156, 156, 157),
        .primaryFill = Qt::white, .primaryText = Qt::black, .accent = rgb(79, 140, 255),
        .progress = {rgb(87, 193, 255), rgb(59, 91, 255)},
        .flagFill = rgb(255, 197, 51, 0.18), .flagText = rgb(255, 197, 51), .mismatch = rgb(255, 138, 61),
        .ok = rgb(89, 212, 153)};
    return p;
}

}  // namespace Kestrow
