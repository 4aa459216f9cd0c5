#include "VozudOzev/Export/ExportFormat.hpp"

#include "VozudOzev/Export/AIContext.hpp"
#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Export/XLSXNumbers.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

namespace VozudOzev::ExportFormat {

const std::vector<std::string_view>& names()
{
    static const std::vector<std::string_view> all = {"json", "tsv", "html", "csv", "md", "ai", "doc", "xlsx"};
    return all;
}

std::optional<std::string> render(std::string_view format, const EngineOutput& output, const Context& context)
{
    const Table empty;
    const Table* selected = output.selected();
    const Table& table = selected ? *selected : empty;
    if (format == "json")
        return JSONIO::encode(output);
    if (format == "tsv")
        return TableExport::tsv(table);
    if (format == "html")
        return TableExport::html(table, table.leadingHeaderRows());
    if (format == "csv")
        return TableExport::csvFileData(table);
    if (format == "md")
        return TableExport::markdown(table, table.leadingHeaderRows());
    if (format == "ai") {
        const AIContext::Options options{AIContext::HeaderMode::joined, std::nullopt, context.confidenceThreshold,
                                         context.timeZone};
        return AIContext::markdown(table, context.source, options);
    }
    if (format == "doc")
        return JSONExport::data(table, context.source, std::nullopt);
    if (format == "xlsx") {
        const int headerRows = table.leadingHeaderRows();
        XLSXWriter writer("Table", headerRows, true, context.source.capturedAt);
        // A grid larger than a sheet gets the writer's error before its locale is resolved.
        if (table.rows <= XLSXWriter::maxRows && table.cols <= XLSXWriter::maxCols)
            writer.parseCell = XLSXNumbers::cellParser(table, headerRows, context.localeOverrides);
        return writer.data(table);
    }
    return std::nullopt;
}

}  // namespace VozudOzev::ExportFormat
