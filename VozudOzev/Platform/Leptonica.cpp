#include "VozudOzev/Platform/Leptonica.hpp"

#include "VozudOzev/Platform/ImageHeader.hpp"

#include <leptonica/allheaders.h>
#include <cmath>
#include <mutex>

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

namespace {

// The size comes from the data's own header bytes before any decoder runs: Leptonica's
// header readers decode some formats (GIF) whole, which for a 35-byte file claiming
// 40000 x 40000 pixels meant a 1.6 GB allocation before the size could be refused.
bool acceptable(const std::optional<ImageHeader>& header)
{
    return header && header->width <= Image::maxSide && header->height <= Image::maxSide &&
           header->width * header->height <= Image::maxPixels && header->decodedPixels <= Image::maxPixels;
}

bool matches(Pix* pix, const ImageHeader& header)
{
    return pix && pixGetWidth(pix) == header.width && pixGetHeight(pix) == header.height;
}

}  // namespace

std::optional<DecodedFile> readFile(const std::string& path)
{
    silenceMessages();
    const auto header = ImageHeader::readFile(path);
    if (!acceptable(header))
        return std::nullopt;
    PixPtr pix(pixRead(path.c_str()));
    if (!matches(pix.get(), *header))
        return std::nullopt;
    auto image = toImage(pix.get());
    if (!image)
        return std::nullopt;
    return DecodedFile{std::move(*image), pixGetXRes(pix.get()), pixGetYRes(pix.get())};
}

std::optional<Image> readMemory(const std::vector<std::uint8_t>& data)
{
    silenceMessages();
    const auto header = ImageHeader::read(data);
    if (!acceptable(header))
        return std::nullopt;
    PixPtr pix(pixReadMem(data.data(), data.size()));
    if (!matches(pix.get(), *header))
        return std::nullopt;
    return toImage(pix.get());
}

std::pair<int, int> readResolution(const std::string& path)
{
    const auto header = ImageHeader::readFile(path);
    return header ? std::pair{header->xres, header->yres} : std::pair{0, 0};
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
