#include "VozudOzev/Platform/PreparedPage.hpp"

#include "VozudOzev/Platform/Leptonica.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <leptonica/allheaders.h>
#include <opencv2/imgproc.hpp>

namespace VozudOzev {

namespace {

int histogramMode(const std::vector<std::uint8_t>& grey)
{
    std::array<size_t, 256> hist{};
    for (auto g : grey)
        ++hist[g];
    return static_cast<int>(std::max_element(hist.begin(), hist.end()) - hist.begin());
}

// Calls visit(start, end) for each maximal run [start, end) of the n positions where on(i) holds.
template <class On, class Visit>
void forEachRun(int n, On on, Visit visit)
{
    int i = 0;
    while (i < n) {
        if (!on(i)) {
            ++i;
            continue;
        }
        int e = i;
        while (e < n && on(e))
            ++e;
        visit(i, e);
        i = e;
    }
}

// Paints out ink runs that are long and thin: ruling lines. Text strokes are short, and
// filled header bands are thick, so both stay.
void paintOutRules(std::vector<std::uint8_t>& g, int W, int H, int bg, int minRun, int maxThick)
{
    auto at = [W](int x, int y) { return size_t(y) * W + x; };
    auto ink = [&](int x, int y) { return std::abs(int(g[at(x, y)]) - bg) >= 24; };
    // Bit 1: inside a long horizontal run; bit 2: inside a long vertical run.
    std::vector<std::uint8_t> mask(g.size(), 0);
    for (int y = 0; y < H; ++y)
        forEachRun(W, [&](int x) { return ink(x, y); }, [&](int s, int e) {
            if (e - s >= minRun)
                for (int x = s; x < e; ++x)
                    mask[at(x, y)] |= 1;
        });
    for (int x = 0; x < W; ++x)
        forEachRun(H, [&](int y) { return ink(x, y); }, [&](int s, int e) {
            if (e - s >= minRun)
                for (int y = s; y < e; ++y)
                    mask[at(x, y)] |= 2;
        });
    // Only thin stretches are lines; a long run inside a thick block is a filled band.
    for (int x = 0; x < W; ++x)
        forEachRun(H, [&](int y) { return (mask[at(x, y)] & 1) != 0; }, [&](int s, int e) {
            if (e - s <= maxThick)
                for (int y = s; y < e; ++y)
                    g[at(x, y)] = static_cast<std::uint8_t>(bg);
        });
    for (int y = 0; y < H; ++y)
        forEachRun(W, [&](int x) { return (mask[at(x, y)] & 2) != 0; }, [&](int s, int e) {
            if (e - s <= maxThick)
                for (int x = s; x < e; ++x)
                    g[at(x, y)] = static_cast<std::uint8_t>(bg);
        });
}

// Median height of the ink components that look like glyphs; 0 when none.
double medianGlyphHeight(const std::vector<std::uint8_t>& g, int W, int H, int bg)
{
    Leptonica::PixPtr bin(pixCreate(W, H, 1));
    if (!bin)
        return 0;
    l_uint32* data = pixGetData(bin.get());
    const int wpl = pixGetWpl(bin.get());
    for (int y = 0; y < H; ++y) {
        l_uint32* line = data + size_t(y) * wpl;
        for (int x = 0; x < W; ++x)
            if (std::abs(int(g[size_t(y) * W + x]) - bg) >= 48)
                SET_DATA_BIT(line, x);
    }
    BOXA* boxa = pixConnComp(bin.get(), nullptr, 8);
    if (!boxa)
        return 0;
    std::vector<int> heights;
    const int n = boxaGetCount(boxa);
    for (int i = 0; i < n; ++i) {
        l_int32 bx, by, bw, bh;
        if (boxaGetBoxGeometry(boxa, i, &bx, &by, &bw, &bh) == 0 && bh >= 4 && bh <= 200 && bw <= 4 * bh)
            heights.push_back(bh);
    }
    boxaDestroy(&boxa);
    if (heights.size() < 3)
        return 0;
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    return heights[heights.size() / 2];
}

// Page background, after turning a dark page light.
int prepareGrey(std::vector<std::uint8_t>& grey, bool invertDark)
{
    int bg = histogramMode(grey);
    if (invertDark && bg < 128) {
        for (auto& v : grey)
            v = static_cast<std::uint8_t>(255 - v);
        bg = 255 - bg;
    }
    return bg;
}

// Enlargement that brings the median glyph to the target height, within the limits.
double scaleFor(const std::vector<std::uint8_t>& grey, int W, int H, int bg, const TesseractRecognizer::Tuning& t)
{
    double k = 1;
    if (t.targetGlyphHeight > 0) {
        const double glyph = medianGlyphHeight(grey, W, H, bg);
        if (glyph > 0)
            k = std::clamp(t.targetGlyphHeight / glyph, 1.0, t.maxUpscale);
        const double budget = std::min(t.maxEnlargedPixels > 0 ? t.maxEnlargedPixels : double(Image::maxPixels),
                                       double(Image::maxPixels));
        k = std::max(1.0, std::min(k, std::sqrt(budget / (double(W) * double(H)))));
    }
    return k;
}

// The grey page enlarged by k; the page itself when k is about 1.
void enlarge(PreparedPage& page, double k)
{
    if (k <= 1.0001)
        return;
    const int W = page.width;
    const int H = page.height;
    const int PW = static_cast<int>(W * k);
    const int PH = static_cast<int>(H * k);
    std::vector<std::uint8_t> big(size_t(PW) * PH);
    const cv::Mat src(H, W, CV_8UC1, page.grey.data());
    cv::Mat dst(PH, PW, CV_8UC1, big.data());
    cv::resize(src, dst, dst.size(), 0, 0, cv::INTER_LINEAR);
    page.grey = std::move(big);
    page.width = PW;
    page.height = PH;
    page.scaleX = double(PW) / W;
    page.scaleY = double(PH) / H;
}

}  // namespace

PreparedPage PreparedPage::prepare(const Image& image, const TesseractRecognizer::Tuning& tuning)
{
    PreparedPage page;
    page.grey = image.grey();
    page.width = image.width;
    page.height = image.height;
    page.background = prepareGrey(page.grey, tuning.invertDark);
    enlarge(page, scaleFor(page.grey, page.width, page.height, page.background, tuning));
    if (tuning.removeRules) {
        const int minRun = std::max(40, static_cast<int>(4 * tuning.targetGlyphHeight));
        paintOutRules(page.grey, page.width, page.height, page.background, minRun,
                      static_cast<int>(std::ceil(6 * page.scaleY)));
    }
    return page;
}

double PreparedPage::scale(const Image& image, const TesseractRecognizer::Tuning& tuning)
{
    if (image.empty())
        return 1;
    std::vector<std::uint8_t> grey = image.grey();
    const int bg = prepareGrey(grey, tuning.invertDark);
    return scaleFor(grey, image.width, image.height, bg, tuning);
}

}  // namespace VozudOzev
