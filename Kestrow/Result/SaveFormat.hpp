#pragma once

#include <QString>

#include <array>

namespace Kestrow {

// The files a result window saves, each with its default name and file-chooser filter.
enum class SaveFormat { xlsx, csv, markdown, json };

inline constexpr std::array<SaveFormat, 4> allSaveFormats = {SaveFormat::xlsx, SaveFormat::csv, SaveFormat::markdown,
                                                             SaveFormat::json};

struct SaveRequest {
    QString defaultName;  // "table.xlsx"
    QString filter;       // "Excel Workbook (*.xlsx)"
    QString suffix;       // "xlsx", added by the chooser when the user types none
};

SaveRequest saveRequest(SaveFormat format);

}  // namespace Kestrow
