#pragma once

#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/Export/SourceInfo.hpp"
#include "VozudOzev/Export/TimeZone.hpp"
#include "VozudOzev/Locale/LocaleOverrides.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The output formats of the extraction tool, by name: one call turns an engine output
// into the bytes of the chosen format.
namespace VozudOzev::ExportFormat {

// What the document formats say about the capture.
struct Context {
    SourceInfo source;
    TimeZone timeZone = TimeZone::local();
    std::optional<double> confidenceThreshold = 0.8;  // the AI context's doubt threshold
    LocaleOverrides localeOverrides;  // how the workbook reads numbers; empty: from the table alone

    bool operator==(const Context&) const = default;
};

// "json" (the engine output itself), "tsv", "html", "csv", "md", "ai" (AI-context
// Markdown), "doc" (the JSON export document) and "xlsx" (a workbook: binary bytes).
const std::vector<std::string_view>& names();

// The selected table (an empty one when there is none) in the named format, exactly as
// a file holds it; nothing for an unknown name. HTML, Markdown, the documents and the
// workbook take the table's leading header rows; the workbook is dated at the capture.
std::optional<std::string> render(std::string_view format, const EngineOutput& output, const Context& context);

}  // namespace VozudOzev::ExportFormat
