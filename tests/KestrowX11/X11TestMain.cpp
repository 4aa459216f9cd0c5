#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>

// These tests talk to a real X server (run under xvfb-run); without one they are skipped.
int main(int argc, char** argv) {
    if (std::getenv("DISPLAY") == nullptr) {
        std::printf("no X display: skipping\n");
        return 0;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
