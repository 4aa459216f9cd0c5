#include "VozudOzev/Platform/ImageHeader.hpp"
#include "VozudOzev/Platform/Leptonica.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace VozudOzev;
using Format = ImageHeader::Format;

namespace {

std::string fixture(const std::string& name)
{
    return std::string(VANTREL_SOURCE_DIR) + "/tests/fixtures/images/" + name;
}

std::string hostileFixture(const std::string& name)
{
    return std::string(VANTREL_SOURCE_DIR) + "/tests/fixtures/hostile/" + name;
}

std::vector<std::uint8_t> bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> bytes(std::string_view s)
{
    return {s.begin(), s.end()};
}

// Headers claiming sizes no decoder may be allowed to allocate for.
struct Hostile {
    const char* what;
    std::vector<std::uint8_t> data;
    long long width, height;
};

std::vector<Hostile> hostile()
{
    using namespace std::literals;
    // Two 6000 x 6000 frames on a 7 x 5 screen: each within the limit, too many pixels together.
    std::string frames = "GIF89a\x07\x00\x05\x00\x00\x00\x00"s;
    for (int i = 0; i < 2; ++i)
        frames += "\x2c\x00\x00\x00\x00\x70\x17\x70\x17\x00\x02\x02\x44\x01\x00"s;
    frames += ';';
    return {
        {"GIF 40000 x 40000 in 35 bytes", bytesOf(hostileFixture("gif_40000x40000.gif")), 40000, 40000},
        {"GIF frames adding up", bytes(frames), 6000, 6000},
        {"PNG", bytes("\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x9c\x40\x00\x00\x9c\x40\x08\x02\x00\x00\x00"sv), 40000, 40000},
        {"JPEG", bytes("\xff\xd8\xff\xe0\x00\x04\x00\x00\xff\xc0\x00\x11\x08\x9c\x40\x9c\x40\x03"sv), 40000, 40000},
        {"BMP, rows top down", bytes("BM\x00\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00"
                                     "\x40\x9c\x00\x00\xc0\x63\xff\xff\x01\x00\x18\x00\x00\x00\x00\x00"
                                     "\x00\x00\x00\x00\x13\x0b\x00\x00\x13\x0b\x00\x00"sv),
         40000, 40000},
        {"TIFF", bytes("II*\x00\x08\x00\x00\x00\x02\x00\x00\x01\x04\x00\x01\x00\x00\x00\x40\x9c\x00\x00"
                       "\x01\x01\x03\x00\x01\x00\x00\x00\x40\x9c\x00\x00"sv),
         40000, 40000},
        {"PPM", bytes("P6\n# big\n40000 40000\n255\n"), 40000, 40000},
        {"WebP lossless", bytes("RIFF\x1a\x00\x00\x00WEBPVP8L\x0d\x00\x00\x00\x2f\xff\xff\xff\x0f\x00"sv), 16384, 16384},
    };
}

}  // namespace

TEST(ImageHeader, ReadsEveryAcceptedFormatAsTheDecoderDoes)
{
    const struct {
        const char* file;
        Format format;
        int xres, yres;
    } cases[] = {
        {"hdr.png", Format::png, 144, 144},       {"hdr.jpg", Format::jpeg, 300, 300},
        {"hdr.gif", Format::gif, 0, 0},           {"hdr-anim.gif", Format::gif, 0, 0},
        {"hdr.bmp", Format::bmp, 102, 102},       {"hdr-le.tif", Format::tiff, 102, 102},
        {"hdr-be.tif", Format::tiff, 150, 150},   {"hdr.ppm", Format::pnm, 0, 0},
        {"hdr.pgm", Format::pnm, 0, 0},           {"hdr.pam", Format::pnm, 0, 0},
        {"hdr.webp", Format::webp, 0, 0},         {"hdr-lossless.webp", Format::webp, 0, 0},
        {"hdr-alpha.webp", Format::webp, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = fixture(std::string("formats/") + c.file);
        const auto header = ImageHeader::readFile(path);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->format, c.format);
        EXPECT_EQ(std::tie(header->width, header->height), std::make_tuple(7LL, 5LL));
        EXPECT_EQ(std::tie(header->xres, header->yres), std::tie(c.xres, c.yres));
        EXPECT_EQ(ImageHeader::read(bytesOf(path)), header);

        // The decoder agrees on size and resolution, on both roads.
        const auto decoded = Leptonica::readFile(path);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(std::tie(decoded->image.width, decoded->image.height), std::make_tuple(7, 5));
        if (c.format != Format::webp && c.format != Format::gif && c.format != Format::pnm) {
            EXPECT_EQ(std::tie(decoded->xres, decoded->yres), std::tie(c.xres, c.yres));
        }
        EXPECT_EQ(Leptonica::readResolution(path), std::make_pair(c.xres, c.yres));
        const auto fromMemory = Leptonica::readMemory(bytesOf(path));
        ASSERT_TRUE(fromMemory);
        EXPECT_EQ(*fromMemory, decoded->image);
    }
}

TEST(ImageHeader, CutShortOrUnknownGivesNothing)
{
    using namespace std::string_view_literals;
    for (std::string_view data : {""sv, "GIF89a"sv, "GIF89a\x07\x00\x05\x00\x00\x00\x00;"sv, "\x89PNG\r\n\x1a\n"sv, "BM"sv,
                                  "P6 12"sv, "P7\nWIDTH 3\nENDHDR\n"sv, "\xff\xd8\xff\xda\x00\x02"sv, "II*\x00\xff\xff\x00\x00"sv,
                                  "RIFF\x00\x00\x00\x00WEBPVP8 "sv, "%PDF-1.4"sv, "hello, world"sv,
                                  "\xff\xd8\xff\xc0\x00\x11\x08\x00\x00\x00\x10\x03"sv}) {
        SCOPED_TRACE(testing::PrintToString(std::string(data)));
        EXPECT_FALSE(ImageHeader::read(bytes(data)));
        EXPECT_FALSE(Leptonica::readMemory(bytes(data)));
    }
    EXPECT_FALSE(ImageHeader::readFile(fixture("no-such-file.png")));
    EXPECT_FALSE(ImageHeader::readFile(fixture("formats")));  // a folder
}

TEST(ImageHeader, HugeClaimsAreRefusedFromTheHeaderAlone)
{
    for (const Hostile& h : hostile()) {
        SCOPED_TRACE(h.what);
        const auto header = ImageHeader::read(h.data);
        ASSERT_TRUE(header);
        EXPECT_EQ(std::tie(header->width, header->height), std::tie(h.width, h.height));
        EXPECT_FALSE(Leptonica::readMemory(h.data));
    }
}

TEST(ImageHeader, TheGIFBombCostsLittleMemoryOnBothRoads)
{
    // In a child process, so its peak resident size is its own.
    const std::string path = hostileFixture("gif_40000x40000.gif");
    const auto all = hostile();
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        bool refused = !Leptonica::readFile(path);
        for (const Hostile& h : all)
            refused = refused && !Leptonica::readMemory(h.data);
        _exit(refused ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    ASSERT_EQ(wait4(pid, &status, 0, &usage), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "something was decoded";
    EXPECT_LT(usage.ru_maxrss, 100 * 1024) << "peak resident kilobytes";
}
