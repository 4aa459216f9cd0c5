#pragma once

#include "VozudOzev/Export/SourceInfo.hpp"
#include "VozudOzev/Export/TimeZone.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A table as Markdown for an AI assistant: a provenance comment, a note naming every
// doubtful cell nobody has reviewed, and the pipe table.
namespace VozudOzev::AIContext {

enum class HeaderMode { joined, keepRows };

inline constexpr HeaderMode allHeaderModes[] = {HeaderMode::joined, HeaderMode::keepRows};
std::string_view rawValue(HeaderMode mode);
std::optional<HeaderMode> headerModeFromRaw(std::string_view raw);
void to_json(nlohmann::json& j, HeaderMode m);
void from_json(const nlohmann::json& j, HeaderMode& m);

struct Options {
    HeaderMode headerMode = HeaderMode::joined;
    std::optional<int> headerRows;              // none: the table's leading header rows
    std::optional<double> confidenceThreshold;  // none: only flags count
    TimeZone timeZone;                          // in which the capture time is written

    bool operator==(const Options&) const = default;
};

struct Unreviewed {
    std::string ref;     // "B3"
    std::string reason;  // reasons joined with ", "

    bool operator==(const Unreviewed&) const = default;
};

std::string markdown(const Table& table, const SourceInfo& source, const Options& options);

// Doubtful cells in row-then-column order. An edited cell loses only its low-confidence
// reasons: a type or total mismatch stays doubtful after an edit.
std::vector<Unreviewed> unreviewed(const Table& table, std::optional<double> confidenceThreshold);

// "<!-- source: NAME · captured YYYY-MM-DD HH:mm · N cells flagged -->", no line end.
std::string headerComment(const SourceInfo& source, int flaggedCount, const TimeZone& timeZone);

}  // namespace VozudOzev::AIContext
