#include "Kestrow/Capture/CaptureOverlay.hpp"
#include "Kestrow/Capture/FakeScreenSource.hpp"
#include "Kestrow/Capture/SelectionGeometry.hpp"
#include "Kestrow/Capture/SelectionView.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace Kestrow;

namespace {

FrozenFrame frameAt(const char* name, QRect geometry) {
    QImage img(geometry.size(), QImage::Format_RGB32);
    img.fill(QColor(200, 210, 220));
    return {{name, geometry, geometry, 1.0}, img};
}

void mouse(QWidget* w, QEvent::Type type, QPointF p) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void drag(QWidget* w, QPointF from, QPointF to) {
    mouse(w, QEvent::MouseButtonPress, from);
    mouse(w, QEvent::MouseMove, (from + to) / 2);
    mouse(w, QEvent::MouseMove, to);
    mouse(w, QEvent::MouseButtonRelease, to);
}

void escape(QWidget* w) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

struct Overlay {
    FakeScreenSource source{{frameAt("LEFT", {0, 0, 1440, 900}), frameAt("RIGHT", {1440, 0, 1440, 900})}};
    CaptureOverlay overlay{source};
    int calls = 0;
    std::optional<RegionSelection> result;
    bool begin(QString hint = "Drag over a table") {
        return overlay.begin(hint, [this](std::optional<RegionSelection> r) {
            ++calls;
            result = std::move(r);
        });
    }
};

}  // namespace

TEST(SelectionGeometry, Rules) {
    EXPECT_EQ(SelectionGeometry::rectBetween({300, 200}, {100, 100}), QRectF(100, 100, 200, 100));
    EXPECT_TRUE(SelectionGeometry::isLargeEnough(QRectF(0, 0, 8, 8)));
    EXPECT_FALSE(SelectionGeometry::isLargeEnough(QRectF(0, 0, 7.9, 100)));
    EXPECT_FALSE(SelectionGeometry::isLargeEnough(QRectF(0, 0, 100, 7.9)));
    EXPECT_EQ(SelectionGeometry::sizeLabel(QRectF(0, 0, 200.9, 99.99)), QStringLiteral("200 \u00D7 99"));

    const QRectF bounds(0, 0, 1440, 900);
    // Below the selection; inside at its bottom when that would leave the screen.
    EXPECT_EQ(SelectionGeometry::labelRect({100, 100, 200, 100}, {60, 14}, bounds), QRectF(100, 204, 72, 20));
    EXPECT_EQ(SelectionGeometry::labelRect({100, 800, 200, 100}, {60, 14}, bounds), QRectF(100, 876, 72, 20));
    // Near the right edge it moves left to stay on screen.
    EXPECT_EQ(SelectionGeometry::labelRect({1420, 100, 20, 100}, {60, 14}, bounds).right(), 1440);
    // The hint: 16 points under max(panel band, 24).
    EXPECT_EQ(SelectionGeometry::hintRect({100, 14}, bounds, 24), QRectF(654, 40, 132, 30));
    EXPECT_EQ(SelectionGeometry::topInset({0, 0, 1440, 900}, {0, 32, 1440, 868}), 32);
    EXPECT_EQ(SelectionGeometry::topInset({0, 0, 1440, 900}, {0, 0, 1440, 900}), 24);
}

TEST(CaptureOverlay, DragOnSecondScreenReportsGlobalRectOnce) {
    Overlay o;
    ASSERT_TRUE(o.begin());
    ASSERT_EQ(o.overlay.views().size(), 2u);
    SelectionView* right = o.overlay.views()[1];
    EXPECT_EQ(right->geometry(), QRect(1440, 0, 1440, 900));
    EXPECT_EQ(right->hint, QStringLiteral("Drag over a table"));
    drag(right, {110, 70}, {10, 20});  // bottom right to top left
    EXPECT_EQ(o.calls, 1);
    ASSERT_TRUE(o.result.has_value());
    EXPECT_EQ(o.result->rect, QRectF(1450, 20, 100, 50));
    EXPECT_EQ(o.result->frame.screen.name, QStringLiteral("RIGHT"));
    EXPECT_FALSE(o.overlay.isSelecting());
    EXPECT_TRUE(o.overlay.views().empty() || !o.overlay.views()[0]->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(CaptureOverlay, SmallDragOrClickKeepsTheOverlayThenEscCancelsOnce) {
    Overlay o;
    ASSERT_TRUE(o.begin());
    SelectionView* left = o.overlay.views()[0];
    drag(left, {100, 100}, {107.9, 300});
    drag(left, {100, 100}, {100, 100});
    EXPECT_EQ(o.calls, 0);
    EXPECT_TRUE(o.overlay.isSelecting());
    EXPECT_FALSE(left->start().has_value());
    // Esc reaches both the application filter and the view; one report.
    escape(left);
    escape(left);
    EXPECT_EQ(o.calls, 1);
    EXPECT_FALSE(o.result.has_value());
}

TEST(CaptureOverlay, SecondBeginIsRefused) {
    Overlay o;
    ASSERT_TRUE(o.begin());
    int other = 0;
    EXPECT_FALSE(o.overlay.begin("x", [&](auto) { ++other; }));
    drag(o.overlay.views()[0], {10, 10}, {30, 30});
    EXPECT_EQ(o.calls, 1);
    EXPECT_EQ(other, 0);
    EXPECT_TRUE(o.begin());  // free again
    escape(o.overlay.views()[0]);
    EXPECT_EQ(o.calls, 2);
}

TEST(CaptureOverlay, PrepareRunsBeforeTheScreensAreFrozen) {
    Overlay o;
    int grabsSeen = -1;
    o.overlay.prepare = [&] { grabsSeen = o.source.grabs; };
    ASSERT_TRUE(o.begin());
    EXPECT_EQ(grabsSeen, 0);
    EXPECT_EQ(o.source.grabs, 1);
    escape(o.overlay.views()[0]);
}

// Without any screen there is nothing to drag on: the selection ends as cancelled.
TEST(CaptureOverlay, NoScreensCancels) {
    FakeScreenSource none;
    CaptureOverlay overlay(none);
    int calls = 0;
    bool gotResult = true;
    ASSERT_TRUE(overlay.begin({}, [&](std::optional<RegionSelection> r) {
        ++calls;
        gotResult = r.has_value();
    }));
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(gotResult);
    EXPECT_FALSE(overlay.isSelecting());
}

// The fast dim matches drawing black at 35 % over the frame, to within a step of rounding.
TEST(SelectionView, DimMatchesThePainterDim) {
    QImage frame(4, 1, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(200, 210, 220), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(13, 128, 251)};
    for (int x = 0; x < 4; ++x) frame.setPixel(x, 0, colours[x]);
    QImage painted = frame.copy();
    QPainter(&painted).fillRect(painted.rect(), QColor(0, 0, 0, 89));
    const QImage dimmed = SelectionView::dim(frame);
    for (int x = 0; x < 4; ++x) {
        SCOPED_TRACE(x);
        const QRgb a = dimmed.pixel(x, 0), b = painted.pixel(x, 0);
        EXPECT_NEAR(qRed(a), qRed(b), 1);
        EXPECT_NEAR(qGreen(a), qGreen(b), 1);
        EXPECT_NEAR(qBlue(a), qBlue(b), 1);
        EXPECT_EQ(qAlpha(a), 255);
    }
}

TEST(CaptureOverlay, DragLeavingItsScreenStopsAtTheEdge) {
    Overlay o;
    ASSERT_TRUE(o.begin());
    SelectionView* left = o.overlay.views()[0];
    drag(left, {100, 100}, {2000, 1000});
    ASSERT_TRUE(o.result.has_value());
    EXPECT_EQ(o.result->rect, QRectF(100, 100, 1340, 800));
    EXPECT_EQ(o.result->frame.screen.name, QStringLiteral("LEFT"));
}
