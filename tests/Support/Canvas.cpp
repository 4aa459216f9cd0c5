#include "Support/Canvas.hpp"

#include <algorithm>

namespace TestSupport::Canvas {

void fill(VozudOzev::Image& image, int x, int y, int w, int h, std::uint8_t grey)
{
    const int x0 = std::max(x, 0), x1 = std::min(x + w, image.width);
    const int y0 = std::max(y, 0), y1 = std::min(y + h, image.height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) {
            std::uint8_t* p = image.pixel(xx, yy);
            p[0] = p[1] = p[2] = grey;
        }
}

VozudOzev::Image plain(int width, int height, std::uint8_t grey)
{
    VozudOzev::Image image(width, height);
    fill(image, 0, 0, width, height, grey);
    return image;
}

}  // namespace TestSupport::Canvas
