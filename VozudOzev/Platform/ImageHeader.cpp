#include "VozudOzev/Platform/ImageHeader.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace VozudOzev {

namespace {

// Headers are walked block by block; a file made of millions of tiny blocks before its
// size (or its pixels) is not an image anyone took, and walking it would take too long.
constexpr int maxBlocks = 100'000;

// Random reads over encoded bytes, either in memory or in a file (read through a small
// window, as most headers are walked in small steps).
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> data) : data_(data), size_(data.size()) {}
    Bytes(int fd, std::uint64_t size) : fd_(fd), size_(size) {}

    std::uint64_t size() const { return size_; }

    // Exactly n bytes at offset, or false.
    bool read(std::uint64_t offset, void* out, std::size_t n) const
    {
        if (offset > size_ || n > size_ - offset)
            return false;
        if (n == 0)
            return true;
        if (fd_ < 0) {
            std::memcpy(out, data_.data() + offset, n);
            return true;
        }
        if (n > window) {
            return pread(fd_, out, n, static_cast<off_t>(offset)) == static_cast<ssize_t>(n);
        }
        if (offset < windowStart_ || offset + n > windowStart_ + windowBytes_.size()) {
            windowBytes_.resize(window);
            const ssize_t got = pread(fd_, windowBytes_.data(), window, static_cast<off_t>(offset));
            windowBytes_.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            windowStart_ = offset;
            if (windowBytes_.size() < n)
                return false;
        }
        std::memcpy(out, windowBytes_.data() + (offset - windowStart_), n);
        return true;
    }

    std::optional<std::uint8_t> byte(std::uint64_t offset) const
    {
        std::uint8_t b;
        return read(offset, &b, 1) ? std::optional(b) : std::nullopt;
    }

    bool startsWith(std::uint64_t offset, std::string_view magic) const
    {
        char buf[16];
        return magic.size() <= sizeof buf && read(offset, buf, magic.size()) && std::memcmp(buf, magic.data(), magic.size()) == 0;
    }

private:
    static constexpr std::size_t window = 64 * 1024;

    std::span<const std::uint8_t> data_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    mutable std::vector<std::uint8_t> windowBytes_;
    mutable std::uint64_t windowStart_ = 0;
};

std::uint32_t be(const std::uint8_t* p, int n)
{
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = v << 8 | p[i];
    return v;
}

std::uint32_t le(const std::uint8_t* p, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}

int roundedResolution(double perInch)
{
    if (!std::isfinite(perInch) || perInch <= 0)
        return 0;
    return static_cast<int>(std::nearbyint(std::min(perInch, 1e6)));
}

ImageHeader make(ImageHeader::Format format, long long width, long long height)
{
    ImageHeader h;
    h.format = format;
    h.width = width;
    h.height = height;
    // Sides come from 32-bit fields, so their product may not fit.
    h.decodedPixels = width > 0 && height > LLONG_MAX / width ? LLONG_MAX : width * height;
    return h;
}

std::optional<ImageHeader> png(const Bytes& b)
{
    std::uint8_t ihdr[16];
    if (!b.read(8, ihdr, sizeof ihdr) || std::memcmp(ihdr + 4, "IHDR", 4) != 0)
        return std::nullopt;
    ImageHeader h = make(ImageHeader::Format::png, be(ihdr + 8, 4), be(ihdr + 12, 4));
    // The resolution sits in pHYs, before the first image data.
    std::uint64_t at = 8;
    for (int i = 0; i < maxBlocks; ++i) {
        std::uint8_t head[8];
        if (!b.read(at, head, 8) || !std::memcmp(head + 4, "IDAT", 4) || !std::memcmp(head + 4, "IEND", 4))
            break;
        const std::uint32_t length = be(head, 4);
        std::uint8_t d[9];
        if (!std::memcmp(head + 4, "pHYs", 4)) {
            if (length == 9 && b.read(at + 8, d, 9) && d[8] == 1) {
                h.xres = roundedResolution(be(d, 4) * 0.0254);
                h.yres = roundedResolution(be(d + 4, 4) * 0.0254);
            }
            break;
        }
        at += 12ULL + length;
    }
    return h;
}

bool isStartOfFrame(std::uint8_t m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

std::optional<ImageHeader> jpeg(const Bytes& b)
{
    int xres = 0, yres = 0;
    std::uint64_t at = 2;
    for (int i = 0; i < maxBlocks; ++i) {
        auto ff = b.byte(at);
        if (!ff || *ff != 0xFF)
            return std::nullopt;
        std::uint8_t marker = 0xFF;
        while (marker == 0xFF) {  // fill bytes
            auto m = b.byte(++at);
            if (!m)
                return std::nullopt;
            marker = *m;
        }
        ++at;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;  // no length
        if (marker == 0xD9 || marker == 0xDA)
            return std::nullopt;  // end or scan data before any frame size
        std::uint8_t len[2];
        if (!b.read(at, len, 2) || be(len, 2) < 2)
            return std::nullopt;
        const std::uint32_t length = be(len, 2);
        std::uint8_t d[14];
        if (isStartOfFrame(marker)) {
            if (length < 7 || !b.read(at + 2, d, 5))
                return std::nullopt;
            ImageHeader h = make(ImageHeader::Format::jpeg, be(d + 3, 2), be(d + 1, 2));
            if (h.height == 0)
                return std::nullopt;  // height given later by a DNL marker
            h.xres = xres;
            h.yres = yres;
            return h;
        }
        if (marker == 0xE0 && length >= 16 && b.read(at + 2, d, 12) && !std::memcmp(d, "JFIF\0", 5)) {
            // Density unit 1 is dots per inch, 2 dots per centimetre.
            const double x = be(d + 8, 2), y = be(d + 10, 2), perInch = d[7] == 2 ? 2.54 : 1.0;
            if (d[7] == 1 || d[7] == 2) {
                xres = static_cast<int>(x * perInch + 0.5);
                yres = static_cast<int>(y * perInch + 0.5);
            }
        }
        at += length;
    }
    return std::nullopt;
}

// The decoder reads every frame, each at its own size, so all of them are counted.
std::optional<ImageHeader> gif(const Bytes& b)
{
    std::uint8_t screen[7];
    if (!b.read(6, screen, 7))
        return std::nullopt;
    std::uint64_t at = 13;
    if (screen[4] & 0x80)
        at += 3ULL << ((screen[4] & 7) + 1);  // global colour table
    std::optional<ImageHeader> first;
    long long total = 0;
    auto skipSubBlocks = [&]() {
        for (int i = 0; i < maxBlocks * 100; ++i) {
            const auto n = b.byte(at++);
            if (!n)
                return false;
            if (*n == 0)
                return true;
            at += *n;
        }
        return false;
    };
    for (int i = 0; i < maxBlocks; ++i) {
        const auto kind = b.byte(at++);
        if (!kind || *kind == 0x3B)
            break;  // trailer, or a file cut short after what was read
        if (*kind == 0x21) {
            ++at;  // label
            if (!skipSubBlocks())
                break;
        } else if (*kind == 0x2C) {
            std::uint8_t d[9];
            if (!b.read(at, d, 9))
                break;
            const long long w = le(d + 4, 2), h = le(d + 6, 2);
            if (!first)
                first = make(ImageHeader::Format::gif, w, h);
            total += w * h;
            at += 9;
            if (d[8] & 0x80)
                at += 3ULL << ((d[8] & 7) + 1);  // local colour table
            ++at;                                 // LZW code size
            if (!skipSubBlocks())
                break;
        } else {
            break;
        }
    }
    if (first)
        first->decodedPixels = total;
    return first;
}

std::optional<ImageHeader> bmp(const Bytes& b)
{
    std::uint8_t d[32];
    if (!b.read(14, d, 4))
        return std::nullopt;
    const std::uint32_t infoSize = le(d, 4);
    if (infoSize == 12) {
        if (!b.read(18, d, 4))
            return std::nullopt;
        return make(ImageHeader::Format::bmp, le(d, 2), le(d + 2, 2));
    }
    if (infoSize < 40 || !b.read(18, d, 28))
        return std::nullopt;
    const auto width = static_cast<std::int32_t>(le(d, 4));
    const auto height = static_cast<std::int32_t>(le(d + 4, 4));  // negative: rows top down
    ImageHeader h = make(ImageHeader::Format::bmp, width, std::llabs(static_cast<long long>(height)));
    // Pixels per metre, converted as the decoder does.
    const auto xppm = static_cast<std::int32_t>(le(d + 20, 4)), yppm = static_cast<std::int32_t>(le(d + 24, 4));
    h.xres = xppm > 0 ? static_cast<int>(std::min(xppm / 39.37 + 0.5, 1e6)) : 0;
    h.yres = yppm > 0 ? static_cast<int>(std::min(yppm / 39.37 + 0.5, 1e6)) : 0;
    return h;
}

std::optional<ImageHeader> tiff(const Bytes& b, bool little)
{
    auto num = [little](const std::uint8_t* p, int n) { return little ? le(p, n) : be(p, n); };
    std::uint8_t d[12];
    if (!b.read(4, d, 4))
        return std::nullopt;
    const std::uint64_t ifd = num(d, 4);
    if (!b.read(ifd, d, 2))
        return std::nullopt;
    const int entries = static_cast<int>(num(d, 2));
    std::optional<long long> width, height;
    std::optional<double> xres, yres;
    int unit = 2;  // inches unless stated
    auto rational = [&](std::uint64_t offset) -> std::optional<double> {
        std::uint8_t r[8];
        if (!b.read(offset, r, 8) || num(r + 4, 4) == 0)
            return std::nullopt;
        return static_cast<double>(num(r, 4)) / num(r + 4, 4);
    };
    for (int i = 0; i < entries; ++i) {
        if (!b.read(ifd + 2 + 12ULL * static_cast<std::uint64_t>(i), d, 12))
            return std::nullopt;
        const std::uint32_t tag = num(d, 2), type = num(d + 2, 2);
        // A SHORT value sits in the first two bytes of the value field, a LONG in all four.
        const std::optional<std::uint32_t> value = type == 3 ? std::optional(num(d + 8, 2))
                                                   : type == 4 ? std::optional(num(d + 8, 4))
                                                               : std::nullopt;
        if (tag == 256 && value)
            width = *value;
        else if (tag == 257 && value)
            height = *value;
        else if ((tag == 282 || tag == 283) && type == 5)
            (tag == 282 ? xres : yres) = rational(num(d + 8, 4));
        else if (tag == 296 && value)
            unit = static_cast<int>(*value);
    }
    if (!width || !height)
        return std::nullopt;
    ImageHeader h = make(ImageHeader::Format::tiff, *width, *height);
    if (xres || yres) {
        const double x = xres.value_or(*yres), y = yres.value_or(*xres);
        const double scale = unit == 3 ? 2.54 : 1.0;
        if (x >= 0 && x <= (1 << 29) && y >= 0 && y <= (1 << 29)) {
            h.xres = static_cast<int>(scale * x + 0.5);
            h.yres = static_cast<int>(scale * y + 0.5);
        }
    }
    return h;
}

// P1 ... P6: magic, then width and height as decimal numbers among blanks and # comments.
// P7: "WIDTH n" and "HEIGHT n" lines up to ENDHDR.
std::optional<ImageHeader> pnm(const Bytes& b, char kind)
{
    std::uint64_t at = 2;
    auto next = [&]() -> std::optional<std::string> {
        std::string token;
        for (int i = 0; i < 4096; ++i) {
            const auto c = b.byte(at);
            if (!c)
                return token.empty() ? std::nullopt : std::optional(token);
            ++at;
            if (*c == '#' && token.empty()) {
                for (auto e = b.byte(at); e && *e != '\n' && *e != '\r'; e = b.byte(++at)) {
                }
            } else if (*c == ' ' || *c == '\t' || *c == '\n' || *c == '\r' || *c == '\v' || *c == '\f') {
                if (!token.empty())
                    return token;
            } else {
                token += static_cast<char>(*c);
            }
        }
        return std::nullopt;
    };
    auto number = [](const std::optional<std::string>& t) -> std::optional<long long> {
        if (!t || t->empty() || t->size() > 10 || !std::all_of(t->begin(), t->end(), Unicode::isAsciiDigit))
            return std::nullopt;
        return std::stoll(*t);
    };
    std::optional<long long> width, height;
    if (kind != '7') {
        width = number(next());
        height = number(next());
    } else {
        for (int i = 0; i < 64; ++i) {
            const auto t = next();
            if (!t || *t == "ENDHDR")
                break;
            if (*t == "WIDTH")
                width = number(next());
            else if (*t == "HEIGHT")
                height = number(next());
        }
    }
    if (!width || !height)
        return std::nullopt;
    return make(ImageHeader::Format::pnm, *width, *height);
}

std::optional<ImageHeader> webp(const Bytes& b)
{
    std::uint8_t d[30];
    if (b.startsWith(12, "VP8 ") && b.read(0, d, 30) && d[23] == 0x9D && d[24] == 0x01 && d[25] == 0x2A)
        return make(ImageHeader::Format::webp, le(d + 26, 2) & 0x3FFF, le(d + 28, 2) & 0x3FFF);
    if (b.startsWith(12, "VP8L") && b.read(0, d, 25) && d[20] == 0x2F) {
        const std::uint32_t bits = le(d + 21, 4);
        return make(ImageHeader::Format::webp, (bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
    }
    if (b.startsWith(12, "VP8X") && b.read(0, d, 30))
        return make(ImageHeader::Format::webp, le(d + 24, 3) + 1LL, le(d + 27, 3) + 1LL);
    return std::nullopt;
}

std::optional<ImageHeader> readHeader(const Bytes& b)
{
    std::uint8_t m[4] = {};
    if (!b.read(0, m, std::min<std::uint64_t>(4, b.size())))
        return std::nullopt;
    std::optional<ImageHeader> h;
    if (b.startsWith(0, "\x89PNG\r\n\x1a\n"))
        h = png(b);
    else if (m[0] == 0xFF && m[1] == 0xD8)
        h = jpeg(b);
    else if (b.startsWith(0, "GIF87a") || b.startsWith(0, "GIF89a"))
        h = gif(b);
    else if (b.startsWith(0, "BM"))
        h = bmp(b);
    else if (b.startsWith(0, std::string_view("II*\0", 4)))
        h = tiff(b, true);
    else if (b.startsWith(0, std::string_view("MM\0*", 4)))
        h = tiff(b, false);
    else if (m[0] == 'P' && m[1] >= '1' && m[1] <= '7')
        h = pnm(b, static_cast<char>(m[1]));
    else if (b.startsWith(0, "RIFF") && b.startsWith(8, "WEBP"))
        h = webp(b);
    if (!h || h->width <= 0 || h->height <= 0)
        return std::nullopt;
    return h;
}

}  // namespace

std::optional<ImageHeader> ImageHeader::read(std::span<const std::uint8_t> data)
{
    return readHeader(Bytes(data));
}

std::optional<ImageHeader> ImageHeader::readFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<ImageHeader> h;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        h = readHeader(Bytes(fd, static_cast<std::uint64_t>(st.st_size)));
    close(fd);
    return h;
}

}  // namespace VozudOzev
