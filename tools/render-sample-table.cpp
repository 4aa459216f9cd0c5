// Renders the sample table's pictures (light and dark) from its one source table, so the
// picture shown to new users and the cells tests expect from it cannot drift apart.
//
// Usage: render-sample-table SOURCE.tsv OUTPUT_DIR
// Writes OUTPUT_DIR/sample-table-light.png and sample-table-dark.png at 2 pixels per point.

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Colours {
    QColor background, ink, muted, headerFill, stripe, rule, totalFill;
};

const Colours light{QColor(0xff, 0xff, 0xff), QColor(0x1d, 0x1d, 0x1f), QColor(0x6e, 0x6e, 0x73),
                    QColor(0xee, 0xf0, 0xf4), QColor(0xf8, 0xf9, 0xfb), QColor(0xd9, 0xdc, 0xe3),
                    QColor(0xe6, 0xec, 0xf7)};
const Colours dark{QColor(0x1c, 0x1c, 0x1e), QColor(0xf2, 0xf2, 0xf7), QColor(0xa1, 0xa1, 0xa8),
                   QColor(0x2c, 0x2c, 0x30), QColor(0x23, 0x23, 0x26), QColor(0x3d, 0x3d, 0x42),
                   QColor(0x26, 0x30, 0x40)};

constexpr double scale = 2.0;  // pixels per point, as a Retina-class screen shows it
constexpr double margin = 24, padX = 14, rowHeight = 34, titleHeight = 58;

// Pixel sizes, so the layout is in points whatever resolution the image records.
QFont font(int size, QFont::Weight weight)
{
    QFont f(QStringLiteral("Inter"));
    f.setPixelSize(size);
    f.setWeight(weight);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

bool isNumberColumn(const std::vector<QStringList>& rows, int col)
{
    return rows.size() > 1 && !rows[1].value(col).isEmpty() &&
           (rows[1].value(col).front().isDigit() || rows[1].value(col).front() == QLatin1Char('+') ||
            rows[1].value(col).front() == QLatin1Char('-'));
}

QImage render(const std::vector<QStringList>& rows, const Colours& c)
{
    const QFont body = font(14, QFont::Normal), header = font(14, QFont::DemiBold), title = font(20, QFont::DemiBold),
                note = font(12, QFont::Normal);
    const int cols = static_cast<int>(rows.front().size());
    std::vector<double> widths(cols, 0);
    for (const QStringList& row : rows)
        for (int col = 0; col < cols; ++col)
            widths[col] = std::max(widths[col], QFontMetricsF(header).horizontalAdvance(row.value(col)) + 2 * padX);
    double tableWidth = 0;
    for (double w : widths)
        tableWidth += std::max(w, 90.0);
    const QSizeF size(tableWidth + 2 * margin, titleHeight + rowHeight * rows.size() + 2 * margin);

    QImage image((size * scale).toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(72 * scale / 0.0254 + 0.5));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(c.background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);

    p.setPen(c.ink);
    p.setFont(title);
    p.drawText(QRectF(margin, margin, tableWidth, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Q3 2026 revenue by region"));
    p.setPen(c.muted);
    p.setFont(note);
    p.drawText(QRectF(margin, margin + 24, tableWidth, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("US dollars · invented figures"));

    double y = margin + titleHeight;
    for (size_t r = 0; r < rows.size(); ++r) {
        const bool isHeader = r == 0, isTotal = r + 1 == rows.size();
        const QRectF band(margin, y, tableWidth, rowHeight);
        if (isHeader)
            p.fillRect(band, c.headerFill);
        else if (isTotal)
            p.fillRect(band, c.totalFill);
        else if (r % 2 == 0)
            p.fillRect(band, c.stripe);
        p.setFont(isHeader || isTotal ? header : body);
        p.setPen(c.ink);
        double x = margin;
        for (int col = 0; col < cols; ++col) {
            const double w = std::max(widths[col], 90.0);
            const Qt::Alignment align = col > 0 && isNumberColumn(rows, col) ? Qt::AlignRight : Qt::AlignLeft;
            p.drawText(QRectF(x + padX, y, w - 2 * padX, rowHeight), align | Qt::AlignVCenter, rows[r].value(col));
            x += w;
        }
        y += rowHeight;
        p.setPen(QPen(c.rule, isHeader || r + 2 == rows.size() ? 1.5 : 1.0));
        p.drawLine(QPointF(margin, y), QPointF(margin + tableWidth, y));
    }
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render-sample-table SOURCE.tsv OUTPUT_DIR\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "render-sample-table: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<QStringList> rows;
    for (const QByteArray& line : source.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            rows.push_back(QString::fromUtf8(line).split(QLatin1Char('\t')));
    if (rows.size() < 2) {
        std::fprintf(stderr, "render-sample-table: %s holds no table\n", argv[1]);
        return 1;
    }
    const QString dir = QString::fromLocal8Bit(argv[2]);
    for (const auto& [name, colours] : {std::pair{"light", light}, std::pair{"dark", dark}}) {
        const QString path = dir + QStringLiteral("/sample-table-") + QLatin1String(name) + QStringLiteral(".png");
        if (!render(rows, colours).save(path, "PNG")) {
            std::fprintf(stderr, "render-sample-table: cannot write %s\n", qUtf8Printable(path));
            return 1;
        }
    }
    return 0;
}
