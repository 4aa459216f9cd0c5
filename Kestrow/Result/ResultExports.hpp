#pragma once

#include "Kestrow/Result/ExportPreferences.hpp"
#include "Kestrow/Result/SaveFormat.hpp"
#include "VozudOzev/Export/SourceInfo.hpp"
#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>

class QMimeData;

// The bytes behind every copy and save of a result window, built from the current table.
namespace Kestrow::ResultExports {

// Leading rows whose anchored cells all carry the header mark (HTML, workbook, JSON).
int headerRows(const VozudOzev::Table& table);
// Markdown and the AI context always have a label row: the header rows when there are
// two or more, else the first row.
int markdownHeaderRows(const VozudOzev::Table& table);

// HTML with the header rows as th, and the tab-separated text as plain text and as TSV.
std::unique_ptr<QMimeData> tableMime(const VozudOzev::Table& table);
std::unique_ptr<QMimeData> textMime(const QString& text);
// X11 clipboards hold one item of several types: the Markdown as text, the picture as PNG.
std::unique_ptr<QMimeData> textAndPngMime(const QString& text, const QByteArray& png);

std::string aiContext(const VozudOzev::Table& table, const VozudOzev::SourceInfo& source,
                      const ExportPreferences& prefs);
std::string markdown(const VozudOzev::Table& table);

// A null, empty or 1 x 1 image stands for a capture whose picture was not kept.
bool isPlaceholder(const QImage& image);
// The table's box grown by the margin and clipped to the image, else the whole image;
// nothing for a placeholder.
QImage tablePicture(const QImage& image, const std::optional<VozudOzev::BBox>& box, int margin = 8);

// The file's bytes; a table the format cannot hold (a workbook beyond a sheet's limits,
// a value JSON cannot carry) throws std::exception with the reason.
std::string fileBytes(SaveFormat format, const VozudOzev::Table& table, const VozudOzev::SourceInfo& source,
                      const ExportPreferences& prefs);

}  // namespace Kestrow::ResultExports
