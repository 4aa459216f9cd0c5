// Renders the application icon into the hicolor theme's fixed sizes, so desktops that do not
// scale SVG icons still show a sharp one.
//
// Usage: render-app-icons ICON.svg OUTPUT_DIR NAME SIZE...
// Writes OUTPUT_DIR/<SIZE>x<SIZE>/apps/NAME.png for each size.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: render-app-icons ICON.svg OUTPUT_DIR NAME SIZE...\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "render-app-icons: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        int size = 0;
        const char* end = argv[i] + std::strlen(argv[i]);
        if (std::from_chars(argv[i], end, size).ptr != end || size < 8 || size > 1024) {
            std::fprintf(stderr, "render-app-icons: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        const QString path = folder + u'/' + QString::fromLocal8Bit(argv[3]) + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "render-app-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
