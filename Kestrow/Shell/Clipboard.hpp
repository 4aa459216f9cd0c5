#pragma once

#include "Kestrow/Platform/ClipboardWriter.hpp"
#include "VozudOzev/Export/AIContext.hpp"
#include "VozudOzev/Export/SourceInfo.hpp"
#include "VozudOzev/Locale/LocaleOverrides.hpp"
#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace Kestrow::Clipboard {

enum class CopyMode { asShown, normalized };

// The MIME type under which spreadsheets look for tab-separated text.
inline constexpr const char* tsvMimeType = "text/tab-separated-values";

// Replaced once at launch by the trust wiring; the identity until then.
extern std::function<VozudOzev::Table(const VozudOzev::Table&)> normalizer;
// The locale the XLSX number typing reads with; set once at launch.
extern VozudOzev::LocaleOverrides xlsxOverrides;

// The stored "copyMode" and "aiHeaderMode" texts: only the exact words "normalized" and
// "keepRows" choose the other mode.
CopyMode defaultCopyMode(const std::optional<QString>& stored);
VozudOzev::AIContext::HeaderMode aiHeaderMode(const std::optional<QString>& stored);

// Leading rows whose anchored cells are all headers; a row without cells ends the count.
int headerRowCount(const VozudOzev::Table& table);

// HTML with the header rows marked, and the same tab-separated text as plain text and TSV.
std::unique_ptr<QMimeData> mimeData(const VozudOzev::Table& table);
void copyRaw(const VozudOzev::Table& table, ClipboardWriter& clipboard);
// A copy in the user's mode: normalised first when the mode says so.
void copy(const VozudOzev::Table& table, CopyMode mode, ClipboardWriter& clipboard);

// The box grown by the margin, clipped to the image and rounded outward; the whole image
// when there is no box or nothing is left.
QImage crop(const QImage& image, const std::optional<VozudOzev::BBox>& box, double margin);

// Asks where to save (suggested name, file-type filter); nothing when the user cancels.
using ChooseSavePath = std::function<std::optional<QString>(const QString& suggestedName, const QString& filter)>;
ChooseSavePath saveDialog();

// The bytes are made before the question is asked; a failure to make or write them is
// logged, and false is returned.
bool saveXLSX(const VozudOzev::Table& table, const QString& name, const ChooseSavePath& choose);
bool saveJSON(const VozudOzev::Table& table, const VozudOzev::SourceInfo& source, const QString& name,
              const ChooseSavePath& choose);

}  // namespace Kestrow::Clipboard
