#include "Kestrow/Capture/BlankImage.hpp"
#include "Kestrow/Capture/CaptureConsent.hpp"
#include "Kestrow/Capture/CaptureFailure.hpp"
#include "Kestrow/Capture/QtScreenSource.hpp"
#include "Kestrow/Capture/ScreenCapture.hpp"
#include "tests/Kestrow/TempDefaults.hpp"

#include <gtest/gtest.h>

#include <QPainter>

using namespace Kestrow;

namespace {

QImage filled(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

// A frame of a "busy" screen: a white page with a dark block in one corner.
FrozenFrame busyFrame(QRect geometry, double dpr) {
    QImage img(int(geometry.width() * dpr), int(geometry.height() * dpr), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter(&img).fillRect(0, 0, 40, 40, Qt::darkBlue);
    img.setDevicePixelRatio(dpr);
    return {{"S", geometry, geometry, dpr}, img};
}

}  // namespace

TEST(BlankImage, Table) {
    QImage two = filled(10, 10, QColor(100, 100, 100));
    two.setPixel(9, 9, qRgb(103, 97, 100));
    QImage four = filled(10, 10, QColor(100, 100, 100));
    four.setPixel(9, 9, qRgb(104, 100, 100));
    QImage alpha = filled(10, 10, QColor(100, 100, 100, 255));
    alpha.setPixel(5, 5, qRgba(100, 100, 100, 250));
    QImage tall = filled(1, 50, Qt::white);  // thin images are sampled whole
    tall.setPixel(0, 49, qRgb(0, 0, 0));
    const struct {
        const char* name;
        QImage image;
        bool blank;
    } cases[] = {
        {"empty 0 x 10", QImage(0, 10, QImage::Format_ARGB32), true},
        {"null", QImage(), true},
        {"one colour", filled(300, 200, Qt::white), true},
        {"difference of 3", two, true},
        {"difference of 4", four, false},
        {"1 pixel wide, dark last row", tall, false},
        {"1 x 1", filled(1, 1, Qt::red), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BlankImage::isBlank(c.image, 3), c.blank);
    }
}

TEST(ScreenCapture, PixelRectRounding) {
    const ScreenInfo retina{"R", QRect(1440, 0, 1440, 900), QRect(1440, 0, 1440, 900), 2.0};
    const ScreenInfo plain{"P", QRect(0, 0, 1440, 900), QRect(0, 0, 1440, 900), 1.0};
    const struct {
        QRectF rect;
        ScreenInfo screen;
        QRect want;
    } cases[] = {
        {{1450, 20, 100, 50}, retina, {20, 40, 200, 100}},
        {{10, 10, 0.4, 10}, plain, {10, 10, 1, 10}},
        {{10.5, 10, 2.5, 3.49}, plain, {10, 10, 3, 3}},
        {{1440, 0, 0.25, 0.25}, retina, {0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen.name.toStdString());
        EXPECT_EQ(ScreenCapture::pixelRect(c.rect, c.screen), c.want);
    }
}

TEST(ScreenCapture, CropsTheFrozenFrameAtItsScale) {
    const FrozenFrame frame = busyFrame(QRect(1440, 0, 400, 300), 2.0);
    const auto shot = ScreenCapture::capture(frame, QRectF(1440, 0, 100, 50));
    EXPECT_EQ(shot.image.size(), QSize(200, 100));
    EXPECT_DOUBLE_EQ(shot.scale, 2.0);
    EXPECT_EQ(shot.image.pixelColor(10, 10), QColor(Qt::darkBlue));
}

TEST(ScreenCapture, BlankOnlyWhenTheWholeScreenIsBlank) {
    // A white area on a screen with content is a real (if empty) capture.
    const FrozenFrame busy = busyFrame(QRect(0, 0, 400, 300), 1.0);
    EXPECT_NO_THROW(ScreenCapture::capture(busy, QRectF(200, 200, 50, 50)));
    // A flat screen means nothing was seen.
    FrozenFrame flat{{"F", QRect(0, 0, 400, 300), QRect(0, 0, 400, 300), 1.0}, filled(400, 300, Qt::black)};
    try {
        ScreenCapture::capture(flat, QRectF(10, 10, 1, 1));
        ADD_FAILURE() << "no failure";
    } catch (const CaptureFailure& f) {
        EXPECT_EQ(f, CaptureFailure::blank());
        EXPECT_EQ(f.title(), QStringLiteral("Vantrel couldn't see the screen"));
        EXPECT_FALSE(f.message().contains("macOS"));
    }
}

TEST(ScreenCapture, BadInputFailsClearly) {
    const FrozenFrame busy = busyFrame(QRect(0, 0, 400, 300), 1.0);
    const FrozenFrame none{{"N", QRect(0, 0, 400, 300), {}, 1.0}, QImage()};
    const struct {
        const char* name;
        FrozenFrame frame;
        QRectF rect;
    } cases[] = {
        {"no picture", none, QRectF(0, 0, 50, 50)},
        {"outside the screen", busy, QRectF(500, 500, 50, 50)},
        {"negative size", busy, QRectF(10, 10, -5, 20)},
        {"not a number", busy, QRectF(10, 10, std::nan(""), 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ScreenCapture::capture(c.frame, c.rect);
            ADD_FAILURE() << "no failure";
        } catch (const CaptureFailure& f) {
            EXPECT_EQ(f.kind, CaptureFailure::Kind::other);
            EXPECT_EQ(f.title(), QStringLiteral("Capture failed"));
            EXPECT_FALSE(f.message().isEmpty());
        }
    }
}

TEST(CaptureFailure, Classify) {
    EXPECT_EQ(CaptureFailure::classify(CaptureFailure::blank()), CaptureFailure::blank());
    EXPECT_EQ(CaptureFailure::classify(std::runtime_error("denied by tcc")), CaptureFailure::permission());
    EXPECT_EQ(CaptureFailure::classify(std::runtime_error("Bad pixmap")), CaptureFailure::other("Bad pixmap"));
    EXPECT_EQ(CaptureFailure::other("x").message(), QStringLiteral("x"));
}

TEST(CaptureConsent, ByPath) {
    TempDefaults t;
    Defaults d = t.make();
    EXPECT_FALSE(CaptureConsent::isDone(d, "/opt/vantrel"));
    d.setString(CaptureConsent::pendingKey, "/opt/vantrel");
    d.setString(CaptureConsent::consentKey, "/home/a/vantrel");
    EXPECT_FALSE(CaptureConsent::isDone(d, "/opt/vantrel"));
    EXPECT_TRUE(CaptureConsent::isPending(d, "/opt/vantrel"));
    CaptureConsent::recordCapture(d, "/opt/vantrel");
    EXPECT_TRUE(CaptureConsent::isDone(d, "/opt/vantrel"));
    EXPECT_FALSE(CaptureConsent::isPending(d, "/opt/vantrel"));
}

// RandR lists the whole root beside the real monitors; it is no screen of its own.
TEST(QtScreenSource, LeavesOutASpanningMonitor) {
    const ScreenInfo left{"LEFT", QRect(0, 0, 1440, 900), {}, 1};
    const ScreenInfo right{"RIGHT", QRect(1440, 0, 1440, 900), {}, 1};
    const ScreenInfo root{"screen", QRect(0, 0, 2880, 900), {}, 1};
    EXPECT_EQ(QtScreenSource::distinct({root, left, right}), (std::vector<ScreenInfo>{left, right}));
    EXPECT_EQ(QtScreenSource::distinct({left}), (std::vector<ScreenInfo>{left}));
}
