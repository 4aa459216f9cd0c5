#include "VozudOzev/Trust/TrustAnalyzer.hpp"

#include "VozudOzev/Locale/NumberParser.hpp"
#include "VozudOzev/Locale/TableLocaleResolver.hpp"
#include "VozudOzev/Trust/ColumnTypeInference.hpp"
#include "VozudOzev/Trust/RowNumberCheck.hpp"
#include "VozudOzev/Trust/TotalRowCheck.hpp"

#include <algorithm>
#include <set>

namespace VozudOzev::TrustAnalyzer {

namespace {

using Grid = std::vector<std::vector<std::string>>;

// A year such as "2019" reads as a number but names a column more often than it counts.
bool isYearLike(const ParsedNumber& n, const std::string& raw)
{
    return n.value >= Decimal(1900) && n.value <= Decimal(2100) && n.normalized.size() == 4 && raw.find_first_of(".,") == std::string::npos;
}

bool hasValue(const std::vector<std::string>& row, const TableLocale& locale)
{
    for (size_t c = 0; c < row.size(); ++c) {
        const CellValue v = locale.classify(row[c], static_cast<int>(c));
        switch (v.kind) {
        case CellValue::Kind::date:
        case CellValue::Kind::foreignDate:
        case CellValue::Kind::foreignNumber: return true;
        case CellValue::Kind::number:
            if (v.number->kind == NumberKind::percent || !isYearLike(*v.number, row[c]))
                return true;
            break;
        default: break;
        }
    }
    return false;
}

// A total row's text cell that states a number, before or after its words ("1.234 in
// all", "Total 1.234"). A number read from the start alone would never excuse the
// usual "Total 1.234".
bool statesANumber(const std::string& text, NumberStyle style)
{
    if (NumberParser::leadingNumber(text, style))
        return true;
    const std::string spaced = NumberParser::normalizeSpaces(text);
    if (spaced.size() > 256)
        return false;  // a paragraph, not a stated total
    for (size_t at = spaced.find(' '); at != std::string::npos; at = spaced.find(' ', at + 1))
        if (NumberParser::leadingNumber(std::string_view(spaced).substr(at + 1), style))
            return true;
    return false;
}

int guessHeaderRows(const Grid& grid, const LocaleOverrides& overrides)
{
    const TableLocale locale = TableLocaleResolver::resolve(grid, 0, overrides);
    const int n = static_cast<int>(grid.size());
    const auto valueAt = [&](int r) { return hasValue(grid[static_cast<size_t>(r)], locale); };
    int guess = 0;
    if (n > 2) {
        guess = valueAt(0) ? 0 : valueAt(1) ? 1 : valueAt(2) ? 2 : 3;
    } else {
        if (n == 0 || valueAt(0))
            guess = 0;
        else if (n == 1 || valueAt(1))
            guess = 1;
        else
            guess = 2;
    }
    if (guess < n)
        for (int r = guess; r < n; ++r)
            if (valueAt(r))
                return guess;
    return n > 0 ? 1 : 0;
}

int headerRowsOf(const Table& table, const Grid& grid, const LocaleOverrides& overrides, const TrustOptions& options)
{
    if (options.headerRows)
        return *options.headerRows;
    std::set<int> marked;
    for (const Cell& c : table.cells)
        if (c.header.value_or(false))
            marked.insert(c.row);
    if (!marked.empty()) {
        int count = 0;
        while (marked.count(count))
            ++count;
        return count;
    }
    return guessHeaderRows(grid, overrides);
}

// Total rows by their label alone; the caller's word counts only when no row has one.
std::set<int> totalRowsOf(const Grid& grid, const std::vector<int>& body, int hr, const TableLocale& locale,
                          bool lastRowIsTotal)
{
    std::set<int> totalRows;
    for (int r : body) {
        const auto label = TotalRowCheck::label(grid[static_cast<size_t>(r)], locale);
        if (label && TotalRowCheck::isTotalLabel(label->first))
            totalRows.insert(r);
    }
    const int rowCount = static_cast<int>(grid.size());
    if (totalRows.empty() && lastRowIsTotal && rowCount > 0 && rowCount - 1 >= hr)
        totalRows.insert(rowCount - 1);
    return totalRows;
}

// Body cells whose value does not fit their column's type, and the cells a numbered
// sequence misses.
std::set<GridPosition> typeMismatchesOf(const Grid& grid, const std::vector<int>& body, const TableLocale& locale,
                                        const std::vector<ColumnTypeInfo>& columnTypes, const std::set<int>& totalRows)
{
    std::set<GridPosition> typeMismatches;
    for (int r : body) {
        const auto& row = grid[static_cast<size_t>(r)];
        for (const ColumnTypeInfo& info : columnTypes) {
            const int j = info.col;
            if (info.type == ColumnType::text || info.type == ColumnType::empty || j >= static_cast<int>(row.size()))
                continue;
            const std::string& text = row[static_cast<size_t>(j)];
            const CellValue v = locale.classify(text, j);
            if (v.kind == CellValue::Kind::empty || v.kind == CellValue::Kind::placeholder)
                continue;
            if (!ColumnTypeInference::isMismatch(v, info.type))
                continue;
            // "Total 1.234" in a total row says the number it should.
            if (totalRows.count(r) && v.kind == CellValue::Kind::text && info.type != ColumnType::date &&
                statesANumber(text, locale.locale(j).numberStyle))
                continue;
            typeMismatches.insert({r, j});
        }
    }
    for (const GridPosition& p : RowNumberCheck::missingCells(grid, body, locale, totalRows))
        typeMismatches.insert(p);
    return typeMismatches;
}

std::set<GridPosition> totalMismatchesOf(const std::vector<TotalCheckResult>& totals)
{
    std::set<GridPosition> totalMismatches;
    for (const TotalCheckResult& t : totals)
        for (int col : t.mismatchedColumns())
            totalMismatches.insert({t.row, col});
    return totalMismatches;
}

// The table with every cell's flags set anew ("edited" kept, last), counted in the report.
Table flagged(const Table& table, double threshold, const std::set<GridPosition>& typeMismatches,
              const std::set<GridPosition>& totalMismatches, TrustReport& report)
{
    Table out = table;
    for (Cell& cell : out.cells) {
        const bool edited = cell.has(CellFlag::edited);
        std::vector<CellFlag> flags;
        if (!edited && cell.confidence && *cell.confidence < threshold && !NumberParser::normalizeSpaces(cell.text).empty()) {
            flags.push_back(CellFlag::lowConfidence);
            ++report.lowConfidenceCount;
        }
        const GridPosition at{cell.row, cell.col};
        if (typeMismatches.count(at)) {
            flags.push_back(CellFlag::typeMismatch);
            ++report.typeMismatchCount;
        }
        if (totalMismatches.count(at)) {
            flags.push_back(CellFlag::totalMismatch);
            ++report.totalMismatchCount;
        }
        if (!flags.empty()) {
            ++report.flaggedCount;
            report.flaggedPositions.push_back(at);
        }
        if (edited)
            flags.push_back(CellFlag::edited);
        cell.flags = flags.empty() ? std::nullopt : std::optional(std::move(flags));
    }
    std::sort(report.flaggedPositions.begin(), report.flaggedPositions.end());
    return out;
}

void noteAmbiguousColumns(TrustReport& report)
{
    for (const ColumnTypeInfo& info : report.columnTypes) {
        const ColumnLocale col = report.locale.locale(info.col);
        if (info.type == ColumnType::date && col.date.isAmbiguous)
            report.ambiguousDateColumns.push_back(info.col);
        if ((info.type == ColumnType::number || info.type == ColumnType::currency || info.type == ColumnType::percent) && col.numberAmbiguous)
            report.ambiguousNumberColumns.push_back(info.col);
    }
}

}  // namespace

std::pair<Table, TrustReport> analyze(const Table& table, double threshold, const LocaleOverrides& overrides, const TrustOptions& options)
{
    const Grid grid = table.grid();
    const int rowCount = static_cast<int>(grid.size());
    const int hr = std::clamp(headerRowsOf(table, grid, overrides, options), 0, rowCount);

    TrustReport report;
    report.headerRows = hr;
    report.locale = TableLocaleResolver::resolve(grid, hr, overrides);
    const TableLocale& locale = report.locale;
    std::vector<int> body;
    for (int r = hr; r < rowCount; ++r)
        body.push_back(r);

    report.columnTypes = ColumnTypeInference::infer(grid, body, locale, options.minTypeShare);
    report.totals = TotalRowCheck::check(grid, hr, locale, report.columnTypes, options.lastRowIsTotal, options.totalTolerance);
    const std::set<int> totalRows = totalRowsOf(grid, body, hr, locale, options.lastRowIsTotal);
    const std::set<GridPosition> typeMismatches = typeMismatchesOf(grid, body, locale, report.columnTypes, totalRows);
    Table out = flagged(table, threshold, typeMismatches, totalMismatchesOf(report.totals), report);
    noteAmbiguousColumns(report);
    return {std::move(out), std::move(report)};
}

}  // namespace VozudOzev::TrustAnalyzer
