#include "VozudOzev/Structure/RGBImage.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

TEST(RGBImage, AcceptsWholeBuffersOnly)
{
    Image good(3, 2);
    good.pixel(2, 1)[0] = 7;
    const RGBImage img(good);
    EXPECT_EQ(img.width, 3);
    EXPECT_EQ(img.image(), good);

    Image shortBuffer(3, 2);
    shortBuffer.rgb.pop_back();
    EXPECT_THROW(RGBImage{shortBuffer}, VozudOzevError);
    Image negative;
    negative.width = -1;
    negative.height = -1;
    EXPECT_THROW(RGBImage{negative}, VozudOzevError);
    EXPECT_NO_THROW(RGBImage{Image()});  // an empty image is readable, just empty
}

TEST(RGBImage, CropsRectanglesIncludingEmptyOnes)
{
    Image base(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            base.pixel(x, y)[0] = static_cast<std::uint8_t>(10 * y + x);
    const RGBImage img(base);
    const RGBImage crop = img.cropped(1, 1, 3, 3);
    ASSERT_EQ(crop.width, 2);
    ASSERT_EQ(crop.height, 2);
    EXPECT_EQ(crop.pixel(0, 0)[0], 11);
    EXPECT_EQ(crop.pixel(1, 1)[0], 22);
    const RGBImage none = img.cropped(4, 0, 4, 3);
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(none.rgb.empty());
}
