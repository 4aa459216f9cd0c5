#include "VozudOzev/Locale/TableLocale.hpp"

#include "VozudOzev/Locale/DateParser.hpp"
#include "VozudOzev/Locale/NumberParser.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <set>

namespace VozudOzev {

namespace {

const std::set<std::string, std::less<>>& placeholders()
{
    static const std::set<std::string, std::less<>> set = {
        "-", "–", "—", "−", "--", "---", "…", "...", "/", "x", "n/a", "na", "n.a.", "nil", "null", "none", "?", "*", "#n/a", "k/a", "đ/c",
    };
    return set;
}

bool isPlaceholderSpaced(const std::string& spaced)
{
    constexpr size_t longest = 4;  // bytes of the longest placeholder ("n.a.", "đ/c")
    return spaced.size() <= longest && placeholders().count(Unicode::lowercased(spaced)) > 0;
}

void appendPadded(std::string& out, int value, int width)
{
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        out.append(static_cast<size_t>(width) - digits.size(), '0');
    out += digits;
}

}  // namespace

ColumnLocale TableLocale::locale(int col) const
{
    if (col >= 0 && col < static_cast<int>(columns.size()))
        return columns[static_cast<size_t>(col)];
    return ColumnLocale{};
}

bool TableLocale::isPlaceholder(std::string_view text)
{
    return isPlaceholderSpaced(NumberParser::normalizeSpaces(text));
}

CellValue TableLocale::classify(std::string_view text, int col) const
{
    const std::string s = NumberParser::normalizeSpaces(text);
    if (s.empty())
        return CellValue::of(CellValue::Kind::empty);
    if (isPlaceholderSpaced(s))
        return CellValue::of(CellValue::Kind::placeholder);

    const bool inside = col >= 0 && col < static_cast<int>(columns.size());
    const NumberStyle style = inside ? columns[static_cast<size_t>(col)].numberStyle : tableNumberStyle;
    const DateOrder order = inside ? columns[static_cast<size_t>(col)].date.order : DateOrder::dmy;

    if (const auto dates = DateParser::candidates(s)) {
        if (dates->ymd)
            return CellValue::ofDate(*dates->ymd);
        switch (order) {
        case DateOrder::dmy:
            if (dates->dmy)
                return CellValue::ofDate(*dates->dmy);
            if (dates->mdy)
                return CellValue::ofForeignDate(*dates->mdy);
            break;
        case DateOrder::mdy:
            if (dates->mdy)
                return CellValue::ofDate(*dates->mdy);
            if (dates->dmy)
                return CellValue::ofForeignDate(*dates->dmy);
            break;
        case DateOrder::ymd:
            if (dates->dmy)
                return CellValue::ofDate(*dates->dmy);
            if (dates->mdy)
                return CellValue::ofDate(*dates->mdy);
            break;
        }
    }

    const auto parts = NumberParser::decompose(s);
    if (!parts)
        return CellValue::of(CellValue::Kind::text);
    if (auto local = NumberParser::build(*parts, style))
        return CellValue::ofNumber(std::move(*local), false);
    if (auto foreign = NumberParser::build(*parts, other(style)))
        return CellValue::ofNumber(std::move(*foreign), true);
    return CellValue::of(CellValue::Kind::text);
}

std::string TableLocale::normalizedText(std::string_view text, int col) const
{
    const CellValue value = classify(text, col);
    if (value.kind == CellValue::Kind::date) {
        std::string out;
        appendPadded(out, value.date->year, 4);
        out += '-';
        appendPadded(out, value.date->month, 2);
        out += '-';
        appendPadded(out, value.date->day, 2);
        return out;
    }
    if (value.kind == CellValue::Kind::number)
        return value.number->normalized;
    return std::string(text);
}

std::vector<std::vector<std::string>> TableLocale::normalizedGrid(const std::vector<std::vector<std::string>>& grid, int headerRows) const
{
    std::vector<std::vector<std::string>> out;
    out.reserve(grid.size());
    for (size_t r = 0; r < grid.size(); ++r) {
        if (static_cast<long long>(r) < headerRows) {
            out.push_back(grid[r]);
            continue;
        }
        std::vector<std::string> row;
        row.reserve(grid[r].size());
        for (size_t c = 0; c < grid[r].size(); ++c)
            row.push_back(normalizedText(grid[r][c], static_cast<int>(c)));
        out.push_back(std::move(row));
    }
    return out;
}

}  // namespace VozudOzev
