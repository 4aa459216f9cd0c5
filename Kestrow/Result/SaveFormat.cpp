#include "Kestrow/Result/SaveFormat.hpp"

#include <QCoreApplication>

namespace Kestrow {

SaveRequest saveRequest(SaveFormat format)
{
    switch (format) {
    case SaveFormat::xlsx:
        return {QStringLiteral("table.xlsx"), QCoreApplication::translate("SaveFormat", "Excel Workbook (*.xlsx)"), QStringLiteral("xlsx")};
    case SaveFormat::csv:
        return {QStringLiteral("table.csv"), QCoreApplication::translate("SaveFormat", "Comma-Separated Values (*.csv)"), QStringLiteral("csv")};
    case SaveFormat::markdown:
        return {QStringLiteral("table.md"), QCoreApplication::translate("SaveFormat", "Markdown (*.md)"), QStringLiteral("md")};
    case SaveFormat::json:
        return {QStringLiteral("table.json"), QCoreApplication::translate("SaveFormat", "JSON (*.json)"), QStringLiteral("json")};
    }
    return {};
}

}  // namespace Kestrow
