#include "VozudOzev/Platform/Leptonica.hpp"

#include <leptonica/allheaders.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <sys/stat.h>

namespace VozudOzev::Leptonica {

void PixDeleter::operator()(Pix* p) const
{
    if (p)
        pixDestroy(&p);
}

void silenceMessages()
{
    static std::once_flag once;
    std::call_once(once, [] { setMsgSeverity(L_SEVERITY_NONE); });
}

PixPtr fromImage(const Image& image)
{
    if (image.empty())
        return nullptr;
    PixPtr pix(pixCreate(image.width, image.height, 32));
    if (!pix)
        return nullptr;
    l_uint32* data = pixGetData(pix.get());
    const int wpl = pixGetWpl(pix.get());
    for (int y = 0; y < image.height; ++y) {
        l_uint32* line = data + static_cast<size_t>(y) * wpl;
        const std::uint8_t* p = image.pixel(0, y);
        for (int x = 0; x < image.width; ++x, p += 3)
            composeRGBPixel(p[0], p[1], p[2], line + x);
    }
    return pix;
}

std::optional<Image> toImage(Pix* pix)
{
    if (!pix)
        return std::nullopt;
    const int w = pixGetWidth(pix);
    const int h = pixGetHeight(pix);
    if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > Image::maxPixels)
        return std::nullopt;

    const bool alpha = pixGetSpp(pix) == 4 && pixGetDepth(pix) == 32;
    PixPtr rgba;
    if (pixGetDepth(pix) == 32) {
        rgba.reset(pixClone(pix));
    } else {
        rgba.reset(pixConvertTo32(pix));  // handles colour maps, grey and 1-bit
    }
    if (!rgba)
        return std::nullopt;

    Image out;
    out.width = w;
    out.height = h;
    out.rgb.resize(static_cast<size_t>(w) * h * 3);
    l_uint32* data = pixGetData(rgba.get());
    const int wpl = pixGetWpl(rgba.get());
    for (int y = 0; y < h; ++y) {
        const l_uint32* line = data + static_cast<size_t>(y) * wpl;
        std::uint8_t* o = out.pixel(0, y);
        for (int x = 0; x < w; ++x, o += 3) {
            l_int32 r, g, b;
            extractRGBValues(line[x], &r, &g, &b);
            if (alpha) {
                // Composite over white so transparent regions read as page background.
                const int a = GET_DATA_BYTE(line + x, L_ALPHA_CHANNEL);
                r = (r * a + 255 * (255 - a) + 127) / 255;
                g = (g * a + 255 * (255 - a) + 127) / 255;
                b = (b * a + 255 * (255 - a) + 127) / 255;
            }
            o[0] = static_cast<std::uint8_t>(r);
            o[1] = static_cast<std::uint8_t>(g);
            o[2] = static_cast<std::uint8_t>(b);
        }
    }
    return out;
}

std::optional<DecodedFile> readFile(const std::string& path)
{
    silenceMessages();
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return std::nullopt;

    l_int32 format = 0, w = 0, h = 0, bps = 0, spp = 0, iscmap = 0;
    if (pixReadHeader(path.c_str(), &format, &w, &h, &bps, &spp, &iscmap) != 0)
        return std::nullopt;
    if (w <= 0 || h <= 0 || w > Image::maxSide || h > Image::maxSide ||
        static_cast<long long>(w) * h > Image::maxPixels)
        return std::nullopt;

    PixPtr pix(pixRead(path.c_str()));
    if (!pix || pixGetWidth(pix.get()) != w || pixGetHeight(pix.get()) != h)
        return std::nullopt;
    auto image = toImage(pix.get());
    if (!image)
        return std::nullopt;
    return DecodedFile{std::move(*image), pixGetXRes(pix.get()), pixGetYRes(pix.get())};
}

std::optional<Image> readMemory(const std::vector<std::uint8_t>& data)
{
    silenceMessages();
    if (data.empty())
        return std::nullopt;
    l_int32 format = 0, w = 0, h = 0, bps = 0, spp = 0, iscmap = 0;
    if (pixReadHeaderMem(data.data(), data.size(), &format, &w, &h, &bps, &spp, &iscmap) != 0)
        return std::nullopt;
    if (w <= 0 || h <= 0 || w > Image::maxSide || h > Image::maxSide ||
        static_cast<long long>(w) * h > Image::maxPixels)
        return std::nullopt;
    PixPtr pix(pixReadMem(data.data(), data.size()));
    if (!pix || pixGetWidth(pix.get()) != w || pixGetHeight(pix.get()) != h)
        return std::nullopt;
    return toImage(pix.get());
}

namespace {

// PNG keeps its resolution in the pHYs chunk before the image data, so it can be read
// without decoding pixels. Pixels per metre are rounded to whole dots per inch, as
// 72 and 144 dpi cannot be stored exactly.
std::optional<std::pair<int, int>> pngResolution(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::nullopt;
    unsigned char sig[8];
    std::optional<std::pair<int, int>> result;
    if (std::fread(sig, 1, 8, f) == 8 && std::memcmp(sig, "\x89PNG\r\n\x1a\n", 8) == 0) {
        result = std::pair{0, 0};
        unsigned char head[8];
        while (std::fread(head, 1, 8, f) == 8) {
            const unsigned long len = (unsigned long)head[0] << 24 | head[1] << 16 | head[2] << 8 | head[3];
            if (std::memcmp(head + 4, "IDAT", 4) == 0 || std::memcmp(head + 4, "IEND", 4) == 0)
                break;
            if (std::memcmp(head + 4, "pHYs", 4) == 0 && len == 9) {
                unsigned char d[9];
                if (std::fread(d, 1, 9, f) == 9 && d[8] == 1) {
                    const double xm = (unsigned long)d[0] << 24 | d[1] << 16 | d[2] << 8 | d[3];
                    const double ym = (unsigned long)d[4] << 24 | d[5] << 16 | d[6] << 8 | d[7];
                    result = std::pair{static_cast<int>(std::nearbyint(std::min(xm * 0.0254, 1e6))),
                                       static_cast<int>(std::nearbyint(std::min(ym * 0.0254, 1e6)))};
                }
                break;
            }
            if (std::fseek(f, static_cast<long>(len) + 4, SEEK_CUR) != 0)
                break;
        }
    }
    std::fclose(f);
    return result;
}

}  // namespace

std::pair<int, int> readResolution(const std::string& path)
{
    silenceMessages();
    if (auto png = pngResolution(path))
        return *png;
    auto decoded = readFile(path);
    if (!decoded)
        return {0, 0};
    return {decoded->xres, decoded->yres};
}

std::optional<Image> resized(const Image& image, int width, int height)
{
    PixPtr src = fromImage(image);
    if (!src)
        return std::nullopt;
    PixPtr dst(pixScaleToSize(src.get(), width, height));
    if (!dst)
        return std::nullopt;
    return toImage(dst.get());
}

}  // namespace VozudOzev::Leptonica
