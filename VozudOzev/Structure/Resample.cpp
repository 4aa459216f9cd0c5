#include "VozudOzev/Structure/Resample.hpp"

#include "VozudOzev/Model/VozudOzevError.hpp"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace VozudOzev::Resample {

namespace {

std::string sizeText(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

void checkSizes(int width, int height, int newWidth, int newHeight)
{
    if (width < 1 || height < 1)
        throw VozudOzevError::invalidInput("cannot resample an empty image (" + sizeText(width, height) + ")");
    if (newWidth < 1 || newHeight < 1 || newWidth > Image::maxSide || newHeight > Image::maxSide ||
        static_cast<long long>(newWidth) * newHeight > Image::maxPixels)
        throw VozudOzevError::invalidInput("cannot resample to " + sizeText(newWidth, newHeight));
}

// The image's fields are public, so a buffer that does not match its size is refused here
// rather than read past.
void checkImage(const RGBImage& image, int newWidth, int newHeight)
{
    checkSizes(image.width, image.height, newWidth, newHeight);
    if (image.rgb.size() != static_cast<size_t>(image.width) * image.height * 3)
        throw VozudOzevError::invalidInput("image pixels cannot be read (" + sizeText(image.width, image.height) + ")");
}

RGBImage blank(int width, int height)
{
    RGBImage out;
    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<size_t>(width) * height * 3);
    return out;
}

// --- antialiased bilinear in single precision ---------------------------------------------
//
// The expressions keep the reference's mix of float and double on purpose: the weights
// are float, but some intermediate sums are widened, and that decides ties in rounding.

struct FloatTaps {
    int ksize = 0;
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;  // ksize per output index
};

FloatTaps torchTaps(int in, int out)
{
    const float scale = static_cast<float>(in) / static_cast<float>(out);
    const float support = scale >= 1.0f ? static_cast<float>(1.0 * scale) : 1.0f;
    FloatTaps taps;
    taps.ksize = static_cast<int>(std::ceil(support)) * 2 + 1;
    taps.first.resize(out);
    taps.count.resize(out);
    taps.weights.assign(static_cast<size_t>(out) * taps.ksize, 0.0f);
    const float invscale = scale >= 1.0f ? static_cast<float>(1.0 / scale) : 1.0f;
    for (int i = 0; i < out; ++i) {
        const float center = static_cast<float>(scale * (i + 0.5));
        const long long xmin = std::max(static_cast<long long>((center - support) + 0.5), 0LL);
        const long long xsize = std::min(static_cast<long long>((center + support) + 0.5), static_cast<long long>(in)) - xmin;
        float* w = &taps.weights[static_cast<size_t>(i) * taps.ksize];
        float total = 0.0f;
        for (long long j = 0; j < xsize; ++j) {
            float x = static_cast<float>((static_cast<float>(j + xmin) - center + 0.5) * invscale);
            if (x < 0.0f)
                x = -x;
            const float v = x < 1.0f ? 1.0f - x : 0.0f;
            w[j] = v;
            total += v;
        }
        for (long long j = 0; j < xsize; ++j)
            if (total != 0.0f)
                w[j] /= total;
        taps.first[i] = static_cast<int>(xmin);
        taps.count[i] = static_cast<int>(xsize);
    }
    return taps;
}

// Summation order matters to the last bit, and the last bit decides a rounding now and
// then. The reference's vectorised build adds the products after the first in blocks of
// four (each product rounded, then added in order) and the remaining one to three with
// fused multiply-add; this file is compiled without contraction so the plain sums stay
// plain, and the clone for processors with FMA keeps the fused part fast.
//
// Here: the three channels of one output pixel from interleaved RGB floats, as three
// independent chains so the processor can overlap them.
inline void torchSum3(const float* p, const float* k, int n, float* out)
{
    float r = p[0] * k[0];
    float g = p[1] * k[0];
    float b = p[2] * k[0];
    int i = 1;
    for (; i + 4 <= n; i += 4) {
        const float* q = p + static_cast<size_t>(i) * 3;
        r = r + q[0] * k[i] + q[3] * k[i + 1] + q[6] * k[i + 2] + q[9] * k[i + 3];
        g = g + q[1] * k[i] + q[4] * k[i + 1] + q[7] * k[i + 2] + q[10] * k[i + 3];
        b = b + q[2] * k[i] + q[5] * k[i + 1] + q[8] * k[i + 2] + q[11] * k[i + 3];
    }
    for (; i < n; ++i) {
        const float* q = p + static_cast<size_t>(i) * 3;
        r = std::fma(q[0], k[i], r);
        g = std::fma(q[1], k[i], g);
        b = std::fma(q[2], k[i], b);
    }
    out[0] = r;
    out[1] = g;
    out[2] = b;
}

// Width pass, then height pass. Width-resized source rows are kept in a ring of as many
// rows as one output row can read, so no page-sized float buffer is made.
#if defined(__SANITIZE_THREAD__)
// The thread sanitizer is not running yet when ifunc resolvers are: no clones there.
#define VANTREL_FMA_CLONES
#else
#define VANTREL_FMA_CLONES __attribute__((target_clones("fma", "default")))
#endif
VANTREL_FMA_CLONES
void torchResize(const RGBImage& image, RGBImage& out)
{
    const int w = image.width;
    const FloatTaps vert = torchTaps(image.height, out.height);
    const FloatTaps horiz = torchTaps(w, out.width);
    const size_t stride = static_cast<size_t>(out.width) * 3;
    std::vector<float> src(static_cast<size_t>(w) * 3);
    std::vector<float> ring(static_cast<size_t>(vert.ksize) * stride);
    std::vector<int> ringRow(vert.ksize, -1);
    const auto widthResized = [&](int y) -> const float* {
        float* dst = ring.data() + static_cast<size_t>(y % vert.ksize) * stride;
        if (ringRow[y % vert.ksize] == y)
            return dst;
        ringRow[y % vert.ksize] = y;
        const std::uint8_t* r = image.pixel(0, y);
        for (size_t i = 0; i < src.size(); ++i)
            src[i] = r[i];
        for (int x = 0; x < out.width; ++x)
            torchSum3(src.data() + static_cast<size_t>(horiz.first[x]) * 3,
                      &horiz.weights[static_cast<size_t>(x) * horiz.ksize], horiz.count[x], dst + x * 3);
        return dst;
    };
    std::vector<float> acc(stride);
    for (int y = 0; y < out.height; ++y) {
        const float* k = &vert.weights[static_cast<size_t>(y) * vert.ksize];
        const int first = vert.first[y];
        const int n = vert.count[y];
        // The same order as torchSum3, a whole row at a time.
        const float* r0 = widthResized(first);
        for (size_t i = 0; i < stride; ++i)
            acc[i] = r0[i] * k[0];
        int j = 1;
        for (; j + 4 <= n; j += 4) {
            const float* a = widthResized(first + j);
            const float* b = widthResized(first + j + 1);
            const float* c = widthResized(first + j + 2);
            const float* d = widthResized(first + j + 3);
            for (size_t i = 0; i < stride; ++i)
                acc[i] = acc[i] + a[i] * k[j] + b[i] * k[j + 1] + c[i] * k[j + 2] + d[i] * k[j + 3];
        }
        for (; j < n; ++j) {
            const float* a = widthResized(first + j);
            for (size_t i = 0; i < stride; ++i)
                acc[i] = std::fma(a[i], k[j], acc[i]);
        }
        std::uint8_t* o = out.pixel(0, y);
        for (size_t i = 0; i < stride; ++i)
            o[i] = static_cast<std::uint8_t>(std::clamp(std::nearbyint(acc[i]), 0.0f, 255.0f));
    }
}

// --- fixed-point separable resize ----------------------------------------------------------

constexpr int precisionBits = 22;

double sinc(double x)
{
    if (x == 0.0)
        return 1.0;
    x = x * M_PI;
    return std::sin(x) / x;
}

double filterValue(Filter filter, double x)
{
    if (filter == Filter::lanczos)
        return (-3.0 <= x && x < 3.0) ? sinc(x) * sinc(x / 3) : 0.0;
    if (x < 0.0)
        x = -x;
    return x < 1.0 ? 1.0 - x : 0.0;
}

struct FixedTaps {
    int ksize = 0;
    std::vector<int> first;
    std::vector<int> count;
    std::vector<std::int32_t> weights;
};

FixedTaps fixedTaps(int in, float in0, float in1, int out, Filter filter)
{
    const double support0 = filter == Filter::lanczos ? 3.0 : 1.0;
    double scale = static_cast<double>(in1 - in0) / out;
    const double filterscale = std::max(scale, 1.0);
    const double support = support0 * filterscale;
    FixedTaps taps;
    taps.ksize = static_cast<int>(std::ceil(support)) * 2 + 1;
    taps.first.resize(out);
    taps.count.resize(out);
    taps.weights.assign(static_cast<size_t>(out) * taps.ksize, 0);
    std::vector<double> k(taps.ksize);
    for (int xx = 0; xx < out; ++xx) {
        const double center = in0 + (xx + 0.5) * scale;
        const double ss = 1.0 / filterscale;
        const int xmin = std::max(static_cast<int>(center - support + 0.5), 0);
        const int xmax = std::min(static_cast<int>(center + support + 0.5), in) - xmin;
        double ww = 0.0;
        for (int x = 0; x < xmax; ++x) {
            const double w = filterValue(filter, (x + xmin - center + 0.5) * ss);
            k[x] = w;
            ww += w;
        }
        std::int32_t* kk = &taps.weights[static_cast<size_t>(xx) * taps.ksize];
        for (int x = 0; x < xmax; ++x) {
            const double v = ww != 0.0 ? k[x] / ww : k[x];
            kk[x] = v < 0 ? static_cast<std::int32_t>(-0.5 + v * (1 << precisionBits))
                          : static_cast<std::int32_t>(0.5 + v * (1 << precisionBits));
        }
        taps.first[xx] = xmin;
        taps.count[xx] = std::max(xmax, 0);
    }
    return taps;
}

// Sums stay within 32 bits: the weights of one output pixel are normalised to 1 in fixed
// point and their absolute sum stays below 1.5, so |sum| < 255 * 1.5 * 2^22 < 2^31.
std::uint8_t clip8(std::int32_t v)
{
    return static_cast<std::uint8_t>(std::clamp(v >> precisionBits, 0, 255));
}

}  // namespace

RGBImage torchAA(const RGBImage& image, int width, int height)
{
    checkImage(image, width, height);
    RGBImage out = blank(width, height);
    torchResize(image, out);
    return out;
}

RGBImage pil(const RGBImage& image, int width, int height, Box box, Filter filter)
{
    checkImage(image, width, height);
    const float b[4] = {static_cast<float>(box.x0), static_cast<float>(box.y0), static_cast<float>(box.x1),
                        static_cast<float>(box.y1)};
    if (!(b[0] >= 0 && b[1] >= 0 && b[2] <= image.width && b[3] <= image.height))
        throw VozudOzevError::invalidInput("resample box exceeds the image");
    if (!(b[2] - b[0] >= 0 && b[3] - b[1] >= 0))
        throw VozudOzevError::invalidInput("resample box is empty");

    const bool needHorizontal = width != image.width || b[0] != 0 || b[2] != width;
    const bool needVertical = height != image.height || b[1] != 0 || b[3] != height;
    const FixedTaps horiz = fixedTaps(image.width, b[0], b[2], width, filter);
    const FixedTaps vert = fixedTaps(image.height, b[1], b[3], height, filter);

    // Only the rows the vertical pass reads are resized horizontally.
    const int firstRow = vert.first[0];
    const int lastRow = vert.first[height - 1] + vert.count[height - 1];
    RGBImage current = image;
    int rowOffset = 0;
    if (needHorizontal) {
        RGBImage temp = blank(width, std::max(lastRow - firstRow, 0));
        for (int y = 0; y < temp.height; ++y) {
            const std::uint8_t* row = image.pixel(0, y + firstRow);
            for (int xx = 0; xx < width; ++xx) {
                const std::int32_t* k = &horiz.weights[static_cast<size_t>(xx) * horiz.ksize];
                std::int32_t ss[3] = {1 << (precisionBits - 1), 1 << (precisionBits - 1), 1 << (precisionBits - 1)};
                for (int x = 0; x < horiz.count[xx]; ++x) {
                    const std::uint8_t* p = row + static_cast<size_t>(x + horiz.first[xx]) * 3;
                    for (int c = 0; c < 3; ++c)
                        ss[c] += p[c] * k[x];
                }
                std::uint8_t* o = temp.pixel(xx, y);
                for (int c = 0; c < 3; ++c)
                    o[c] = clip8(ss[c]);
            }
        }
        current = std::move(temp);
        rowOffset = firstRow;
    }
    if (!needVertical)
        return current;
    RGBImage out = blank(current.width, height);
    const size_t rowBytes = static_cast<size_t>(current.width) * 3;
    std::vector<std::int32_t> acc(rowBytes);
    for (int yy = 0; yy < height; ++yy) {
        const std::int32_t* k = &vert.weights[static_cast<size_t>(yy) * vert.ksize];
        const int ymin = vert.first[yy] - rowOffset;
        std::fill(acc.begin(), acc.end(), 1 << (precisionBits - 1));
        for (int y = 0; y < vert.count[yy]; ++y) {
            const std::uint8_t* p = current.pixel(0, y + ymin);
            const std::int32_t ky = k[y];
            for (size_t i = 0; i < rowBytes; ++i)
                acc[i] += p[i] * ky;
        }
        std::uint8_t* o = out.pixel(0, yy);
        for (size_t i = 0; i < rowBytes; ++i)
            o[i] = clip8(acc[i]);
    }
    return out;
}

RGBImage cvArea8U(const RGBImage& image, int width, int height)
{
    checkImage(image, width, height);
    const cv::Mat src(image.height, image.width, CV_8UC3, const_cast<std::uint8_t*>(image.rgb.data()));
    RGBImage out = blank(width, height);
    cv::Mat dst(height, width, CV_8UC3, out.rgb.data());
    cv::resize(src, dst, dst.size(), 0, 0, cv::INTER_AREA);
    return out;
}

std::vector<double> cvLinear64F(const std::vector<double>& pixels, int width, int height, int newWidth, int newHeight)
{
    checkSizes(width, height, newWidth, newHeight);
    if (pixels.size() != static_cast<size_t>(width) * height * 3)
        throw VozudOzevError::invalidInput("resample input holds " + std::to_string(pixels.size()) +
                                           " values, not " + sizeText(width, height) + " x 3");
    const cv::Mat src(height, width, CV_64FC3, const_cast<double*>(pixels.data()));
    std::vector<double> out(static_cast<size_t>(newWidth) * newHeight * 3);
    cv::Mat dst(newHeight, newWidth, CV_64FC3, out.data());
    cv::resize(src, dst, dst.size(), 0, 0, cv::INTER_LINEAR);
    return out;
}

}  // namespace VozudOzev::Resample
