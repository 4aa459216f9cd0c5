#include "Kestrow/Shell/Clipboard.hpp"

#include "Kestrow/Shell/Log.hpp"
#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Export/XLSXNumbers.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"

#include <QFileDialog>
#include <QSaveFile>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace Kestrow::Clipboard {

std::function<VozudOzev::Table(const VozudOzev::Table&)> normalizer = [](const VozudOzev::Table& t) { return t; };
VozudOzev::LocaleOverrides xlsxOverrides;

CopyMode defaultCopyMode(const std::optional<QString>& stored)
{
    return stored == QStringLiteral("normalized") ? CopyMode::normalized : CopyMode::asShown;
}

VozudOzev::AIContext::HeaderMode aiHeaderMode(const std::optional<QString>& stored)
{
    return stored == QStringLiteral("keepRows") ? VozudOzev::AIContext::HeaderMode::keepRows
                                                : VozudOzev::AIContext::HeaderMode::joined;
}

int headerRowCount(const VozudOzev::Table& table)
{
    for (int row = 0; row < table.rows; ++row) {
        bool any = false;
        for (const VozudOzev::Cell& cell : table.cells) {
            if (cell.row != row)
                continue;
            any = true;
            if (cell.header != true)
                return row;
        }
        if (!any)
            return row;
    }
    return std::max(table.rows, 0);
}

std::unique_ptr<QMimeData> mimeData(const VozudOzev::Table& table)
{
    auto data = std::make_unique<QMimeData>();
    const QString tsv = QString::fromStdString(VozudOzev::TableExport::tsv(table));
    data->setHtml(QString::fromStdString(VozudOzev::TableExport::html(table, headerRowCount(table))));
    data->setText(tsv);
    data->setData(QString::fromLatin1(tsvMimeType), tsv.toUtf8());
    return data;
}

void copyRaw(const VozudOzev::Table& table, ClipboardWriter& clipboard)
{
    clipboard.setMimeData(mimeData(table));
}

void copy(const VozudOzev::Table& table, CopyMode mode, ClipboardWriter& clipboard)
{
    copyRaw(mode == CopyMode::normalized ? normalizer(table) : table, clipboard);
}

QImage crop(const QImage& image, const std::optional<VozudOzev::BBox>& box, double margin)
{
    if (!box || !(box->w > 0) || !(box->h > 0))
        return image;
    const double x0 = std::max(box->x - margin, 0.0);
    const double y0 = std::max(box->y - margin, 0.0);
    const double x1 = std::min(box->x + box->w + margin, static_cast<double>(image.width()));
    const double y1 = std::min(box->y + box->h + margin, static_cast<double>(image.height()));
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1) || x1 <= x0 || y1 <= y0)
        return image;
    const QRect rect(QPoint(static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0))),
                     QPoint(static_cast<int>(std::ceil(x1)) - 1, static_cast<int>(std::ceil(y1)) - 1));
    if (rect.isEmpty())
        return image;
    return image.copy(rect);
}

ChooseSavePath saveDialog()
{
    return [](const QString& suggestedName, const QString& filter) -> std::optional<QString> {
        const QString path = QFileDialog::getSaveFileName(nullptr, QString(), suggestedName, filter);
        if (path.isEmpty())
            return std::nullopt;
        return path;
    };
}

namespace {

bool save(const std::string& bytes, const QString& name, const QString& filter, const ChooseSavePath& choose)
{
    const std::optional<QString> path = choose(name, filter);
    if (!path)
        return false;
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        Log::line("could not save " + *path + ": " + file.errorString());
        return false;
    }
    return true;
}

}  // namespace

bool saveXLSX(const VozudOzev::Table& table, const QString& name, const ChooseSavePath& choose)
{
    const int headerRows = headerRowCount(table);
    std::string bytes;
    try {
        const VozudOzev::XLSXWriter writer("Table", headerRows, true, std::chrono::system_clock::now(),
                                           VozudOzev::XLSXWriter::simpleNumber,
                                           VozudOzev::XLSXNumbers::cellParser(table, headerRows, xlsxOverrides));
        bytes = writer.data(table);
    } catch (const std::exception& e) {
        Log::line(QStringLiteral("could not make the workbook: ") + QString::fromUtf8(e.what()));
        return false;
    }
    return save(bytes, name, QObject::tr("Excel workbook (*.xlsx)"), choose);
}

bool saveJSON(const VozudOzev::Table& table, const VozudOzev::SourceInfo& source, const QString& name,
              const ChooseSavePath& choose)
{
    std::string bytes;
    try {
        bytes = VozudOzev::JSONExport::data(table, source, headerRowCount(table));
    } catch (const std::exception& e) {
        Log::line(QStringLiteral("could not make the JSON document: ") + QString::fromUtf8(e.what()));
        return false;
    }
    return save(bytes, name, QObject::tr("JSON document (*.json)"), choose);
}

}  // namespace Kestrow::Clipboard
