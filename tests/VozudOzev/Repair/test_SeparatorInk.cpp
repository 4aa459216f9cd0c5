#include "Support/NumberFixtures.hpp"

#include "VozudOzev/Repair/NumberPattern.hpp"
#include "VozudOzev/Repair/SeparatorInk.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport;

TEST(SeparatorInk, CountsTheMarksBetweenDigitsAsDrawn)
{
    for (const char* name : {"comma", "comma-small", "point", "euro", "yen", "brackets", "minus", "minus-small"}) {
        const NumberFixtures::Column column = NumberFixtures::column(name);
        for (size_t i = 0; i < column.texts.size(); ++i) {
            SCOPED_TRACE(std::string(name) + " " + column.texts[i]);
            const std::optional<std::string> marks = SeparatorInk::marks(column.image, column.boxes[i]);
            ASSERT_TRUE(marks);
            const std::string written = NumberPattern::writtenMarks(column.texts[i]);
            EXPECT_FALSE(SeparatorInk::contradicts(written, *marks)) << "marks " << *marks;
            // The same ink contradicts a reading that lost its last mark.
            if (!written.empty()) {
                EXPECT_TRUE(SeparatorInk::contradicts(written.substr(0, written.size() - 1), *marks));
            }
        }
    }
}

TEST(SeparatorInk, TellsACommaFromAPointWhereTheyAreLarge)
{
    EXPECT_EQ(SeparatorInk::marks(NumberFixtures::column("comma").image, {12, 14, 52, 15}), ",");
    EXPECT_EQ(SeparatorInk::marks(NumberFixtures::column("point").image, {12, 14, 52, 13}), ".");
    const struct {
        const char* written;
        const char* marks;
        bool want;
    } cases[] = {
        {".", ",", true},
        {".,", "??", false},
        {"", "-", true},
        {"-.", ".", false},     // a minus can touch its digit
        {",,", ",", false},     // so can a separator
        {"", "?", true},
        {".", "-.", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.written) + " against " + c.marks);
        EXPECT_EQ(SeparatorInk::contradicts(c.written, c.marks), c.want);
    }
}

TEST(SeparatorInk, TooLittleInkTellsNothing)
{
    const NumberFixtures::Column dash = NumberFixtures::column("dash");
    EXPECT_EQ(SeparatorInk::marks(dash.image, dash.boxes[0]), std::nullopt);
    EXPECT_EQ(SeparatorInk::marks(dash.image, {500, 500, 20, 20}), std::nullopt);
}
