#include "Kestrow/Shell/WindowFrames.hpp"

#include <gtest/gtest.h>

using namespace Kestrow;

TEST(WindowFrames, StoredTextReadsBackOrGivesNoFrame)
{
    EXPECT_EQ(WindowFrames::parse(WindowFrames::format(QRect(-1440, 25, 900, 600))), QRect(-1440, 25, 900, 600));
    for (const char* bad : {"", "1 2 3", "1 2 3 4 5", "1  2 3 4", "1 2 0 4", "1 2 3 -4", "1.5 2 3 4", "1 2 3 4x",
                            "+1 2 3 4", "99999999999 2 3 4", "@Rect(1 2 3 4)"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(WindowFrames::parse(QString::fromLatin1(bad)), std::nullopt);
    }
}

TEST(WindowFrames, AFrameIsUsableOnlyWhollyInsideOneScreen)
{
    // Two screens side by side; the right one's menu strip is not available.
    const std::vector<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 30, 1440, 870)};
    const QSize minimum(640, 420);
    struct Case {
        QRect frame;
        bool usable;
    };
    const Case cases[] = {
        {QRect(10, 10, 900, 600), true},
        {QRect(1300, 40, 900, 600), true},       // on the second screen
        {QRect(900, 10, 900, 600), false},       // across both
        {QRect(1300, 0, 900, 600), false},       // under the strip
        {QRect(-20, 10, 900, 600), false},       // off the left edge
        {QRect(10, 10, 600, 600), false},        // narrower than the minimum
        {QRect(5000, 5000, 900, 600), false},    // off every screen
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WindowFrames::format(c.frame).toStdString());
        EXPECT_EQ(WindowFrames::usable(c.frame, minimum, screens), c.usable);
    }
    EXPECT_FALSE(WindowFrames::usable(QRect(10, 10, 900, 600), minimum, {}));
}
