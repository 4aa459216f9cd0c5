#include "Kestrow/Result/SaveFormat.hpp"

#include <QCoreApplication>

namespace Kestrow {

SaveRequest saveRequest(SaveFormat format)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("SaveFormat", text); };
    switch (format) {
    case SaveFormat::xlsx:
        return {QStringLiteral("table.xlsx"), tr("Excel Workbook (*.xlsx)"), QStringLiteral("xlsx")};
    case SaveFormat::csv:
        return {QStringLiteral("table.csv"), tr("Comma-Separated Values (*.csv)"), QStringLiteral("csv")};
    case SaveFormat::markdown:
        return {QStringLiteral("table.md"), tr("Markdown (*.md)"), QStringLiteral("md")};
    case SaveFormat::json:
        return {QStringLiteral("table.json"), tr("JSON (*.json)"), QStringLiteral("json")};
    }
    return {};
}

}  // namespace Kestrow
