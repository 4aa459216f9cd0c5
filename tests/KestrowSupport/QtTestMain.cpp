#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

// Widgets need one application object for the whole test program, on the offscreen platform.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
