#include "VozudOzev/Locale/TableLocaleResolver.hpp"

#include "VozudOzev/Locale/DateParser.hpp"
#include "VozudOzev/Locale/NumberParser.hpp"

#include <algorithm>

namespace VozudOzev::TableLocaleResolver {

namespace {

// The style a column's own texts lean to, if any.
std::optional<NumberStyle> lean(const NumberStyleGuess& g)
{
    if (g.commaOnly < g.dotOnly)
        return NumberStyle::dotDecimal;
    if (g.dotOnly < g.commaOnly)
        return NumberStyle::commaDecimal;
    if (g.dotOnly >= 1 && g.commaOnly >= 1) {
        if (g.weakComma < g.weakDot)
            return NumberStyle::dotDecimal;
        if (g.weakDot < g.weakComma)
            return NumberStyle::commaDecimal;
    }
    return std::nullopt;
}

// A column goes against the table only on clear evidence of its own: at least three
// texts that read under its style alone, none under the other, and half of all it read.
bool standsAlone(const NumberStyleGuess& g, NumberStyle style)
{
    const int strong = style == NumberStyle::dotDecimal ? g.dotOnly : g.commaOnly;
    const int against = style == NumberStyle::dotDecimal ? g.commaOnly : g.dotOnly;
    return against == 0 && strong >= 3 && 2 * strong >= g.count();
}

}  // namespace

TableLocale resolve(const std::vector<std::vector<std::string>>& grid, int headerRows, const LocaleOverrides& overrides)
{
    size_t columnCount = 0;
    for (const auto& row : grid)
        columnCount = std::max(columnCount, row.size());
    const size_t firstBody = static_cast<size_t>(std::max(headerRows, 0));

    const NumberStyle fallbackStyle = overrides.defaultLocale ? numberStyle(*overrides.defaultLocale) : NumberStyle::dotDecimal;
    const DateOrder fallbackOrder = overrides.defaultLocale ? dateOrder(*overrides.defaultLocale) : DateOrder::dmy;

    // One pass over the body: date readings count for the date order, the rest is
    // number evidence.
    std::vector<NumberStyleGuess> guesses(columnCount);
    std::vector<DateColumnResolution> dates(columnCount);
    for (size_t r = firstBody; r < grid.size(); ++r)
        for (size_t c = 0; c < grid[r].size(); ++c) {
            const std::string& text = grid[r][c];
            if (const auto d = DateParser::candidates(text))
                DateParser::count(dates[c], *d);
            else if (const auto n = NumberParser::candidates(text))
                guesses[c].add(*n);
        }

    TableLocale out;
    NumberStyleGuess total;
    for (const auto& g : guesses)
        total += g;
    if (overrides.numberStyle) {
        out.tableNumberStyle = *overrides.numberStyle;
        out.tableNumberSource = LocaleSource::override;
    } else if (const auto voted = total.style()) {
        out.tableNumberStyle = *voted;
        out.tableNumberSource = LocaleSource::table;
    } else {
        out.tableNumberStyle = fallbackStyle;
        out.tableNumberSource = LocaleSource::fallback;
    }

    out.columns.reserve(columnCount);
    for (size_t c = 0; c < columnCount; ++c) {
        const int index = static_cast<int>(c);
        const NumberStyleGuess& g = guesses[c];
        ColumnLocale col;
        const std::optional<NumberStyle> leaning = lean(g);
        if (const auto it = overrides.columnNumberStyle.find(index); it != overrides.columnNumberStyle.end()) {
            col.numberStyle = it->second;
            col.numberSource = LocaleSource::override;
        } else if (out.tableNumberSource != LocaleSource::override && leaning && *leaning != out.tableNumberStyle &&
                   standsAlone(g, *leaning)) {
            col.numberStyle = *leaning;
            col.numberSource = LocaleSource::column;
        } else if (out.tableNumberSource == LocaleSource::table && leaning == out.tableNumberStyle) {
            col.numberStyle = out.tableNumberStyle;
            col.numberSource = LocaleSource::column;
        } else {
            col.numberStyle = out.tableNumberStyle;
            col.numberSource = out.tableNumberSource;
        }
        col.numberAmbiguous = col.numberSource == LocaleSource::fallback && g.ambiguous > 0;

        std::optional<DateOrder> forced = overrides.dateOrder;
        if (const auto it = overrides.columnDateOrder.find(index); it != overrides.columnDateOrder.end())
            forced = it->second;
        col.date = dates[c];
        DateParser::decide(col.date, forced, fallbackOrder);
        if (forced)
            col.dateSource = LocaleSource::override;
        else if (col.date.dayFirstOnly + col.date.monthFirstOnly + col.date.yearFirst >= 1)
            col.dateSource = LocaleSource::column;
        else
            col.dateSource = LocaleSource::fallback;
        out.columns.push_back(col);
    }
    return out;
}

TableLocale resolve(const Table& table, int headerRows, const LocaleOverrides& overrides)
{
    return resolve(table.grid(), headerRows, overrides);
}

}  // namespace VozudOzev::TableLocaleResolver
