#pragma once

#include <QImage>

namespace Kestrow::BlankImage {

// True when every pixel of a sample of at most 64 x 64 lies within `tolerance` of the first
// sample pixel in red, green and blue (alpha ignored). An empty image is blank; one that
// cannot be sampled is not. Callers pass 3.
bool isBlank(const QImage& image, int tolerance);

}  // namespace Kestrow::BlankImage
