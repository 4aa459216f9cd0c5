#pragma once

#include "VozudOzev/Structure/RGBImage.hpp"

#include <vector>

// The resizers the structure models were trained with, reproduced pixel for pixel: each
// one follows its reference library's arithmetic (weights, rounding, pass order), because
// the models' outputs depend on it. Every function throws VozudOzevError::invalidInput for
// an empty source, a target size below 1 or beyond Image::maxSide / Image::maxPixels, or
// a source box outside the image.
namespace VozudOzev::Resample {

enum class Filter { bilinear, lanczos };

// A source rectangle in pixels, edges at pixel boundaries (x0, y0 inclusive).
struct Box {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;

    bool operator==(const Box&) const = default;
};

// Antialiased bilinear resize in single precision (separable, support widened by the
// scale when shrinking), rounded half to even to bytes.
RGBImage torchAA(const RGBImage& image, int width, int height);

// Separable resize of the box with fixed-point weights (22 fraction bits, rounding by
// adding 2^21), horizontal pass first over 8-bit intermediates; the box is taken in single
// precision. Bilinear has a support of 1, lanczos of 3, both widened when shrinking.
RGBImage pil(const RGBImage& image, int width, int height, Box box, Filter filter);

// Area-averaging resize of 8-bit pixels (bilinear-like when enlarging).
RGBImage cvArea8U(const RGBImage& image, int width, int height);

// Bilinear resize (half-pixel centres) of an interleaved three-channel image held in
// double precision; `pixels` holds width * height * 3 values.
std::vector<double> cvLinear64F(const std::vector<double>& pixels, int width, int height, int newWidth,
                                int newHeight);

}  // namespace VozudOzev::Resample
