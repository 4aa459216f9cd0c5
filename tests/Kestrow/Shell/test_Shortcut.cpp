#include "Kestrow/Shell/Shortcut.hpp"

#include <gtest/gtest.h>

using namespace Kestrow;

TEST(Shortcut, FromKeyNeedsSuperAltOrCtrl) {
    const struct {
        Qt::KeyboardModifiers mods;
        std::optional<std::uint32_t> want;
    } cases[] = {
        {Qt::NoModifier, std::nullopt},
        {Qt::ShiftModifier, std::nullopt},
        {Qt::ShiftModifier | Qt::KeypadModifier, std::nullopt},
        {Qt::ControlModifier | Qt::ShiftModifier, 0x300},
        {Qt::MetaModifier | Qt::ShiftModifier, 0x1200},
        {Qt::MetaModifier | Qt::AltModifier | Qt::ShiftModifier, 0x1A00},
        {Qt::AltModifier | Qt::KeypadModifier, 0x800},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.mods));
        const auto s = Shortcut::fromKey(10, c.mods);
        ASSERT_EQ(s.has_value(), c.want.has_value());
        if (s) {
            EXPECT_EQ(*s, (Shortcut{10, *c.want}));
        }
    }
}

TEST(Shortcut, KeycapsInFixedOrder) {
    const Shortcut all{65, 0x1000 | 0x800 | 0x200 | 0x100};
    EXPECT_EQ(all.keycaps(), (QStringList{"Super", "Alt", "Shift", "Ctrl", "Space"}));
    EXPECT_EQ((Shortcut{9, 0x100}).keycaps(), (QStringList{"Ctrl", QStringLiteral("\u238B")}));
}

TEST(Shortcut, FixedKeyNames) {
    const struct {
        std::uint32_t code;
        const char16_t* name;
    } cases[] = {{65, u"Space"}, {36, u"\u21A9"}, {23, u"\u21E5"}, {9, u"\u238B"}, {22, u"\u232B"},
                 {113, u"\u2190"}, {114, u"\u2192"}, {111, u"\u2191"}, {116, u"\u2193"}, {67, u"F1"}, {72, u"F6"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(Shortcut::keyName(c.code), QString::fromUtf16(c.name));
    }
}

// Without a display the system's default layout names the keys; a keycode no layout prints is "?".
TEST(Shortcut, LayoutKeyNames) {
    EXPECT_EQ(Shortcut::keyName(28), QStringLiteral("T"));
    EXPECT_EQ(Shortcut::keyName(10), QStringLiteral("1"));
    EXPECT_EQ(Shortcut::keyName(250), QStringLiteral("?"));
    EXPECT_EQ(Shortcut::defaultCapture().keycaps(), (QStringList{"Super", "Shift", "T"}));
}

TEST(Shortcut, JsonRoundTripAndStrictReading) {
    const Shortcut s{28, 0x1A00};
    EXPECT_EQ(s.toJson(), QByteArray(R"({"keyCode":28,"modifiers":6656})"));
    EXPECT_EQ(Shortcut::fromJson(s.toJson()), s);
    EXPECT_EQ(Shortcut::fromJson(R"({"modifiers":256,"keyCode":4294967295})"), (Shortcut{4294967295u, 256}));
    for (const char* bad : {"", "[]", "{}", R"({"keyCode":28})", R"({"keyCode":28,"modifiers":-1})",
                            R"({"keyCode":28,"modifiers":"4608"})", R"({"keyCode":1e10,"modifiers":0})",
                            R"({"keyCode":null,"modifiers":0})", R"({"keyCode":28,"modifiers":0.5})"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(Shortcut::fromJson(bad).has_value());
    }
}
