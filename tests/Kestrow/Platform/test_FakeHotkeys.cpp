#include "Kestrow/Platform/FakeHotkeys.hpp"
#include "Kestrow/Platform/NullHotkeys.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>

using namespace Kestrow;

// The stand-ins other tests drive the capture road with behave like the X11 backend.
TEST(FakeHotkeys, RefusesTakenAndRepeatedKeysAndQueuesActions) {
    FakeHotkeys keys;
    keys.taken.insert({28, 0x1200});
    int a = 0, b = 0;
    EXPECT_EQ(keys.registerAll({{{28, 0x1200}, [&] { ++a; }}, {{28, 0x1A00}, [&] { ++b; }}, {{28, 0x1A00}, [] {}}}),
              (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(keys.press({28, 0x1200}));
    EXPECT_TRUE(keys.press({28, 0x1A00}));
    EXPECT_EQ(b, 0);  // runs after the key event, like the real one
    QCoreApplication::processEvents();
    EXPECT_EQ(b, 1);
    EXPECT_TRUE(keys.registerAll({}).empty());
    EXPECT_FALSE(keys.press({28, 0x1A00}));
    EXPECT_EQ(NullHotkeys().registerAll({{{28, 0x1200}, [] {}}}), (std::vector<bool>{false}));
}
