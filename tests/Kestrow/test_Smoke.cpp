#include <gtest/gtest.h>

#include <QApplication>

// The application's widgets exist under the offscreen platform.
TEST(Kestrow, ApplicationRunsOffscreen) {
    ASSERT_NE(QApplication::instance(), nullptr);
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
}
