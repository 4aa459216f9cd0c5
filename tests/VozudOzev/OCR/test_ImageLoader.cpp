#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/Structure/ImageResolution.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

std::string fixture(const std::string& name)
{
    return std::string(VANTREL_SOURCE_DIR) + "/tests/fixtures/images/" + name;
}

}  // namespace

TEST(ImageLoader, LoadsPixelsAndResolution)
{
    const Image img = ImageLoader::load(fixture("table-unruled.png"));
    EXPECT_EQ(img.width, 430);
    EXPECT_EQ(img.height, 154);
    EXPECT_EQ(img.rgb.size(), size_t(430) * 154 * 3);
    EXPECT_EQ(ImageResolution::dpi(fixture("table-unruled.png")), (Dpi{72, 72}));
    EXPECT_EQ(ImageResolution::dpi(fixture("table-ruled-144dpi.png")), (Dpi{144, 144}));
    EXPECT_EQ(ImageResolution::dpi(fixture("no-such-file.png")), (Dpi{72, 72}));
}

TEST(ImageLoader, TransparentPixelsBecomeWhite)
{
    const Image img = ImageLoader::load(fixture("transparent.png"));
    ASSERT_EQ(img.width, 3);
    for (auto v : img.rgb)
        EXPECT_EQ(v, 255);
}

TEST(ImageLoader, BadFilesFailWithThePath)
{
    for (const std::string name : {"empty.png", "truncated.png", "text.png", "huge-header.png", "zero-size.png",
                                   "no-such-file.png", ""}) {
        const std::string path = name.empty() ? fixture("") : fixture(name);  // "" is the folder itself
        SCOPED_TRACE(path);
        try {
            ImageLoader::load(path);
            ADD_FAILURE() << "loaded";
        } catch (const VozudOzevError& e) {
            EXPECT_EQ(e.kind(), VozudOzevError::Kind::imageLoadFailed);
            EXPECT_EQ(std::string(e.what()), "cannot load image: " + path);
        }
    }
}

TEST(Image, CropScaleAndGrey)
{
    Image img(4, 2);
    img.pixel(3, 1)[0] = 0;
    img.pixel(3, 1)[1] = 0;
    img.pixel(3, 1)[2] = 0;
    const Image crop = img.cropped(2, 1, 10, 10);
    EXPECT_EQ(crop.width, 2);
    EXPECT_EQ(crop.height, 1);
    EXPECT_EQ(crop.grey(), (std::vector<std::uint8_t>{255, 0}));
    EXPECT_TRUE(img.cropped(5, 5, 9, 9).empty());

    auto big = img.scaled(2.6);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->width, 10);  // truncated, not rounded
    EXPECT_EQ(big->height, 5);
    EXPECT_FALSE(img.scaled(0.1));  // no pixel left
    EXPECT_FALSE(img.scaled(1e9));  // beyond the pixel limit
}
