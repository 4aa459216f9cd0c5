#include "Kestrow/Platform/X11WindowStacking.hpp"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Kestrow;

namespace {

std::vector<std::uint64_t> order(const std::vector<WindowStacking::Window>& windows,
                                 const std::vector<std::uint64_t>& of)
{
    std::vector<std::uint64_t> ids;
    for (const auto& w : windows)
        if (std::find(of.begin(), of.end(), w.id) != of.end())
            ids.push_back(w.id);
    return ids;
}

}  // namespace

// No window manager here: the stacking comes from the root window's children.
TEST(X11WindowStacking, ReadsFrontToBackWithoutPopupsOrHiddenWindows)
{
    QWidget back, front, hidden;
    QWidget tip(nullptr, Qt::ToolTip);  // override-redirect, like our toasts
    back.setGeometry(40, 50, 300, 200);
    front.setGeometry(100, 120, 200, 100);
    tip.setGeometry(10, 10, 50, 20);
    hidden.setGeometry(0, 0, 80, 80);
    back.show();
    front.show();
    tip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&back));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&front));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tip));
    const std::vector<std::uint64_t> ids{back.winId(), front.winId(), tip.winId(), hidden.winId()};

    X11WindowStacking stacking;
    std::vector<WindowStacking::Window> windows = stacking.frontToBack(ids);
    EXPECT_EQ(order(windows, ids), (std::vector<std::uint64_t>{front.winId(), back.winId()}));
    const auto frontEntry = std::find_if(windows.begin(), windows.end(), [&](auto& w) { return w.id == front.winId(); });
    ASSERT_NE(frontEntry, windows.end());
    EXPECT_EQ(frontEntry->frame, QRect(100, 120, 200, 100));

    back.raise();
    QTest::qWait(200);
    windows = stacking.frontToBack(ids);
    EXPECT_EQ(order(windows, ids), (std::vector<std::uint64_t>{back.winId(), front.winId()}));
}
