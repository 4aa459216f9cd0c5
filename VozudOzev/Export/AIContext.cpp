#include "VozudOzev/Export/AIContext.hpp"

#include "VozudOzev/Model/CellRef.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Model/EnumNames.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace VozudOzev::AIContext {

namespace {

// "yyyy-MM-dd HH:mm" in the zone; seconds are cut off, not rounded.
std::string minuteText(std::chrono::system_clock::time_point at, const TimeZone& zone)
{
    using namespace std::chrono;
    const auto local = floor<seconds>(at) + seconds{zone.offset(at)};
    const auto whole = floor<minutes>(local);
    const auto days = floor<std::chrono::days>(whole);
    const year_month_day date{days};
    const hh_mm_ss<minutes> time{whole - days};
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()));
    return buf;
}

}  // namespace

constexpr EnumName<HeaderMode> headerModeNames[] = {
    {HeaderMode::joined, "joined"},
    {HeaderMode::keepRows, "keepRows"},
};

std::string_view rawValue(HeaderMode mode)
{
    return nameOf(headerModeNames, mode);
}

std::optional<HeaderMode> headerModeFromRaw(std::string_view raw)
{
    return valueNamed(headerModeNames, raw);
}

void to_json(nlohmann::json& j, HeaderMode m)
{
    j = std::string(rawValue(m));
}

void from_json(const nlohmann::json& j, HeaderMode& m)
{
    m = JSONIO::getEnum<HeaderMode>(j, headerModeFromRaw, "header mode");
}

std::vector<Unreviewed> unreviewed(const Table& table, std::optional<double> confidenceThreshold)
{
    std::vector<const Cell*> cells;
    for (const Cell& cell : table.cells)
        cells.push_back(&cell);
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Cell* a, const Cell* b) { return a->row != b->row ? a->row < b->row : a->col < b->col; });

    std::vector<Unreviewed> out;
    for (const Cell* cell : cells) {
        const bool edited = cell->has(CellFlag::edited);
        std::vector<std::string_view> reasons;
        if (cell->has(CellFlag::lowConfidence) && !edited)
            reasons.push_back("low OCR confidence");
        if (cell->has(CellFlag::typeMismatch))
            reasons.push_back("unexpected value type for the column");
        if (cell->has(CellFlag::totalMismatch))
            reasons.push_back("total does not match");
        if (reasons.empty() && !edited && confidenceThreshold && cell->confidence &&
            *cell->confidence < *confidenceThreshold)
            reasons.push_back("low OCR confidence");
        if (reasons.empty())
            continue;
        std::string reason;
        for (size_t i = 0; i < reasons.size(); ++i) {
            if (i > 0)
                reason += ", ";
            reason += reasons[i];
        }
        out.push_back({CellRef::a1(*cell), std::move(reason)});
    }
    return out;
}

std::string headerComment(const SourceInfo& source, int flaggedCount, const TimeZone& timeZone)
{
    std::string name;
    const std::string_view raw = source.name;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '-' && i + 1 < raw.size() && raw[i + 1] == '-') {
            name += "\u2014";
            ++i;
        } else if (raw[i] == '\n') {
            name += ' ';
        } else {
            name += raw[i];
        }
    }
    const std::string count =
        flaggedCount == 1 ? std::string("1 cell flagged") : std::to_string(flaggedCount) + " cells flagged";
    return "<!-- source: " + Unicode::sanitized(name) + " \u00B7 captured " + minuteText(source.capturedAt, timeZone) +
           " \u00B7 " + count + " -->";
}

std::string markdown(const Table& table, const SourceInfo& source, const Options& options)
{
    const auto entries = unreviewed(table, options.confidenceThreshold);
    const int h = options.headerRows.value_or(table.leadingHeaderRows());
    const int markdownHeaderRows = options.headerMode == HeaderMode::joined && h > 1 ? h : 1;

    std::string out = headerComment(source, static_cast<int>(entries.size()), options.timeZone);
    out += '\n';
    if (!entries.empty()) {
        const bool one = entries.size() == 1;
        out += "Note: ";
        out += one ? "cell " : "cells ";
        for (size_t i = 0; i < entries.size(); ++i) {
            if (i > 0)
                out += ", ";
            out += entries[i].ref + " (" + entries[i].reason + ")";
        }
        out += one ? " was" : " were";
        out += " flagged by the extractor and not reviewed; treat ";
        out += one ? "its value" : "their values";
        out += " as uncertain. Cell addresses are spreadsheet-style (column letter, row number counting header rows).\n";
    }
    out += '\n';
    out += TableExport::markdown(table, markdownHeaderRows);
    return out;
}

}  // namespace VozudOzev::AIContext
