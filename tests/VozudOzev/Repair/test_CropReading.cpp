#include "Support/NumberFixtures.hpp"

#include "VozudOzev/Repair/CropReading.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport;

TEST(CropReading, ReadsOnlyTheCharactersAskedAndForgetsThemAfterwards)
{
    const NumberFixtures::Column column = NumberFixtures::column("euro");
    const TextOCR ocr({"en-US"}, false, false);
    const BBox box = column.boxes[1];  // 6.127,86 €
    EXPECT_EQ(CropReading::read(ocr, column.image, box), "6.127,86 \u20AC");
    // Digits only: neither separators nor the euro sign can be read.
    const std::optional<std::string> digits = CropReading::read(ocr, column.image, box, 4.0, "0123456789");
    ASSERT_TRUE(digits);
    EXPECT_EQ(digits->find_first_not_of("0123456789 "), std::string::npos) << *digits;
    // Recognisers are pooled: the next reading is not restricted.
    EXPECT_EQ(CropReading::read(ocr, column.image, box), "6.127,86 \u20AC");
    EXPECT_EQ(CropReading::read(ocr, column.image, box, 4.0, CropReading::numberCharacters), "6.127,86 \u20AC");
}
