#include "Kestrow/Result/ResultExports.hpp"

#include "Kestrow/Shell/Clipboard.hpp"

#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Export/TimeZone.hpp"
#include "VozudOzev/Export/XLSXNumbers.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"

#include <QMimeData>

#include <chrono>
#include <cmath>

namespace Kestrow::ResultExports {

using VozudOzev::Table;

int headerRows(const Table& table)
{
    return Clipboard::headerRowCount(table);
}

int markdownHeaderRows(const Table& table)
{
    const int h = headerRows(table);
    return h >= 2 ? h : 1;
}

std::unique_ptr<QMimeData> tableMime(const Table& table)
{
    return Clipboard::mimeData(table);
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
    return Clipboard::crop(image, box, margin);
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
