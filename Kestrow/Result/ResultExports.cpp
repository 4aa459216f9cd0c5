#include "Kestrow/Result/ResultExports.hpp"

#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Export/TimeZone.hpp"
#include "VozudOzev/Export/XLSXNumbers.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"

#include <QBuffer>
#include <QMimeData>

#include <chrono>
#include <cmath>

namespace Kestrow::ResultExports {

using VozudOzev::Table;

int headerRows(const Table& table)
{
    return table.leadingHeaderRows();
}

int markdownHeaderRows(const Table& table)
{
    const int h = headerRows(table);
    return h >= 2 ? h : 1;
}

std::unique_ptr<QMimeData> tableMime(const Table& table)
{
    auto mime = std::make_unique<QMimeData>();
    const QByteArray tsv = QByteArray::fromStdString(VozudOzev::TableExport::tsv(table));
    mime->setHtml(QString::fromStdString(VozudOzev::TableExport::html(table, headerRows(table))));
    mime->setText(QString::fromUtf8(tsv));
    mime->setData(QStringLiteral("text/tab-separated-values"), tsv);
    return mime;
}

std::unique_ptr<QMimeData> textMime(const QString& text)
{
    auto mime = std::make_unique<QMimeData>();
    mime->setText(text);
    return mime;
}

std::unique_ptr<QMimeData> textAndPngMime(const QString& text, const QByteArray& pngBytes)
{
    auto mime = textMime(text);
    if (!pngBytes.isEmpty())
        mime->setData(QStringLiteral("image/png"), pngBytes);
    return mime;
}

std::string aiContext(const Table& table, const VozudOzev::SourceInfo& source, const ExportPreferences& prefs)
{
    const VozudOzev::AIContext::Options options{prefs.aiHeaderMode, markdownHeaderRows(table), prefs.flagThreshold,
                                                VozudOzev::TimeZone::local()};
    return VozudOzev::AIContext::markdown(table, source, options);
}

std::string markdown(const Table& table)
{
    return VozudOzev::TableExport::markdown(table, markdownHeaderRows(table));
}

bool isPlaceholder(const QImage& image)
{
    return image.isNull() || image.width() * static_cast<qint64>(image.height()) <= 1;
}

QImage tablePicture(const QImage& image, const std::optional<VozudOzev::BBox>& box, int margin)
{
    if (isPlaceholder(image))
        return {};
    if (!box || !(box->w > 0) || !(box->h > 0))
        return image;
    const double x0 = std::max(0.0, std::floor(box->x - margin));
    const double y0 = std::max(0.0, std::floor(box->y - margin));
    const double x1 = std::min<double>(image.width(), std::ceil(box->x + box->w + margin));
    const double y1 = std::min<double>(image.height(), std::ceil(box->y + box->h + margin));
    if (!(x1 > x0) || !(y1 > y0))
        return image;
    return image.copy(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

std::string fileBytes(SaveFormat format, const Table& table, const VozudOzev::SourceInfo& source,
                      const ExportPreferences& prefs)
{
    switch (format) {
    case SaveFormat::xlsx: {
        const int h = headerRows(table);
        VozudOzev::XLSXWriter writer("Table", h, true, std::chrono::system_clock::now());
        // A grid beyond a sheet gets the writer's own error before its locale is resolved.
        if (table.rows <= VozudOzev::XLSXWriter::maxRows && table.cols <= VozudOzev::XLSXWriter::maxCols)
            writer.parseCell = VozudOzev::XLSXNumbers::cellParser(table, h, prefs.localeOverrides);
        return writer.data(table);
    }
    case SaveFormat::csv:
        return VozudOzev::TableExport::csvFileData(table);
    case SaveFormat::markdown:
        return markdown(table);
    case SaveFormat::json:
        return VozudOzev::JSONExport::data(table, source, headerRows(table));
    }
    return {};
}

}  // namespace Kestrow::ResultExports
