#include "Kestrow/Capture/SelectionView.hpp"
#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/HUDPill.hpp"
#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/Shell/Palette.hpp"
#include "Kestrow/Shell/Shortcut.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Wordmark.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

using namespace Kestrow;

// Pictures of the shell's pieces for a person to look at; the test checks that each came out
// at a sensible size and is not one flat colour.
namespace {

QString shotPath(const QString& name) {
#ifdef VANTREL_SCREENSHOT_DIR
    const QString dir = QStringLiteral(VANTREL_SCREENSHOT_DIR);
#else
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
#endif
    QDir().mkpath(dir);
    return dir + u'/' + name + QStringLiteral(".png");
}

void expectPicture(const QImage& image, const QString& name, QSize atLeast) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), atLeast.width());
    EXPECT_GE(image.height(), atLeast.height());
    const QRgb first = image.pixel(image.width() / 2, image.height() / 2);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 3)
        for (int x = 0; x < image.width() && !varied; x += 3) varied = image.pixel(x, y) != first;
    EXPECT_TRUE(varied);
    const QString path = shotPath(name);
    ASSERT_TRUE(image.save(path));
    EXPECT_GT(QFileInfo(path).size(), 500);
}

// A stand-in desktop: a window with a small table on it.
QImage desktop(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(58, 92, 128));
    QPainter p(&img);
    const QRect window(120, 90, 560, 330);
    p.fillRect(window, Qt::white);
    p.fillRect(window.x(), window.y(), window.width(), 28, QColor(230, 230, 232));
    p.setPen(Qt::black);
    p.setFont(QFont("DejaVu Sans", 11));
    const char* rows[][3] = {{"Region", "Q3 revenue", "Growth"}, {"North", "1,204.50", "4.1%"},
                             {"South", "987.00", "-0.8%"}, {"East", "2,310.25", "12.6%"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) p.drawText(QRect(window.x() + 30 + c * 170, window.y() + 50 + r * 60, 160, 40),
                                              Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf8(rows[r][c]));
    p.setPen(QColor(200, 200, 200));
    for (int r = 0; r <= 4; ++r) p.drawLine(window.x() + 20, window.y() + 45 + r * 60, window.right() - 20, window.y() + 45 + r * 60);
    return img;
}

QImage grabWidget(QWidget& w) {
    w.adjustSize();
    return w.grab().toImage();
}

}  // namespace

class Screenshots : public ::testing::Test {
protected:
    static void SetUpTestSuite() { AppResources::registerFonts(); }
};

TEST_F(Screenshots, OverlayWithHintAndSelection) {
    const QRect geometry(0, 0, 800, 500);
    SelectionView view({{"S", geometry, geometry, 1.0}, desktop(geometry.size())});
    view.hint = QStringLiteral("Drag over a table. Esc cancels.");
    expectPicture(view.render(), "overlay-hint", {800, 500});
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(140, 130), QPointF(140, 130), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(650, 400), QPointF(650, 400), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
    QCoreApplication::sendEvent(&view, &move);
    expectPicture(view.render(), "overlay-selection", {800, 500});
}

TEST_F(Screenshots, Pills) {
    HUDPill progress(QStringLiteral("Reading table…"), HUDPill::Leading::spinner, true);
    expectPicture(grabWidget(progress), "progress-pill", {100, 30});
    HUDPill success(QStringLiteral("Copied 12 × 4 table"), HUDPill::Leading::success, true);
    expectPicture(grabWidget(success), "toast-success", {100, 30});
    HUDPill warning(QStringLiteral("Nothing to capture here: the selection is on a screen Vantrel can't read, "
                                   "so choose an area on another screen and try again."),
                    HUDPill::Leading::warning, true);
    const QImage wrapped = grabWidget(warning);
    EXPECT_LE(wrapped.width(), HUDPill::maxWidth * wrapped.devicePixelRatio());
    expectPicture(wrapped, "toast-warning-wrapped", {300, 50});
}

TEST_F(Screenshots, KeycapsAndButtonsLightAndDark) {
    Theme& theme = Theme::shared();
    const Appearance before = theme.appearance();
    for (Appearance a : {Appearance::light, Appearance::dark}) {
        theme.setAppearance(a);
        QWidget panel;
        panel.setAutoFillBackground(true);
        QPalette pal = panel.palette();
        pal.setColor(QPalette::Window, theme.palette().window);
        panel.setPalette(pal);
        auto* column = new QVBoxLayout(&panel);
        column->setContentsMargins(16, 16, 16, 16);
        column->addWidget(new Wordmark(28));
        column->addWidget(new Keycaps(Shortcut::defaultCapture().keycaps()));
        column->addWidget(new Keycaps(Shortcut::defaultQuickCapture().keycaps()));
        auto* row = new QHBoxLayout;
        auto* pressed = new ThemedButton(QStringLiteral("Pressed"), ThemedButton::Style::primary);
        pressed->setDown(true);
        row->addWidget(new ThemedButton(QStringLiteral("Show Icon in Taskbar"), ThemedButton::Style::primary));
        row->addWidget(pressed);
        row->addWidget(new ThemedButton(QStringLiteral("Don't Remind Me"), ThemedButton::Style::secondary));
        column->addLayout(row);
        expectPicture(grabWidget(panel), a == Appearance::light ? "keycaps-light" : "keycaps-dark", {200, 100});
    }
    theme.setAppearance(before);
}

// Every drawn symbol and icon, for a look: menu symbols tinted for light and dark menus, tray
// glyphs on both panel colours, the application icons.
TEST_F(Screenshots, IconSheet) {
    const QStringList symbols{"capture", "quick", "clipboard", "image", "history", "updates", "mail", "help",
                              "info", "gear", "welcome", "feedback", "quit", "copy", "tablecells", "check", "hand"};
    QImage sheet(40 * symbols.size() + 20, 260, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.fillRect(0, 40, sheet.width(), 40, Palette::dark().window);
    for (int i = 0; i < symbols.size(); ++i) {
        const QIcon light = AppResources::symbol(symbols[i], Palette::light().ink);
        const QIcon dark = AppResources::symbol(symbols[i], Palette::dark().ink);
        EXPECT_FALSE(light.pixmap(32, 32).isNull()) << symbols[i].toStdString();
        light.paint(&p, QRect(10 + 40 * i, 4, 32, 32));
        dark.paint(&p, QRect(10 + 40 * i, 44, 32, 32));
    }
    int x = 10;
    for (AppIconChoice c : {AppIconChoice::dark, AppIconChoice::sparkle}) {
        p.fillRect(x, 90, 40, 40, QColor(30, 30, 32));
        AppResources::trayGlyph(c, true).paint(&p, QRect(x + 2, 92, 36, 36));
        AppResources::trayGlyph(c, false).paint(&p, QRect(x + 42, 92, 36, 36));
        x += 100;
    }
    x = 10;
    for (AppIconChoice c : {AppIconChoice::dark, AppIconChoice::light, AppIconChoice::sparkle}) {
        const QIcon icon = AppResources::appIcon(c);
        EXPECT_FALSE(icon.isNull());
        icon.paint(&p, QRect(x, 140, 112, 112));
        x += 124;
    }
    p.end();
    expectPicture(sheet, "icons", {400, 200});
}
