#include "VozudOzev/Export/XLSXNumbers.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include "VozudOzev/Locale/NumberParser.hpp"
#include "VozudOzev/Locale/TableLocaleResolver.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev::XLSXNumbers {

namespace {

// 007, -0123 and (01) yes; 0, 0.5, 0,75 and 10 no.
bool hasLeadingZero(std::string_view s)
{
    const auto first = std::find_if(s.begin(), s.end(), Unicode::isAsciiDigit);
    return first != s.end() && *first == '0' && first + 1 != s.end() && Unicode::isAsciiDigit(first[1]);
}

}  // namespace

CellParser cellParser(const Table& table, int headerRows, const LocaleOverrides& overrides)
{
    auto locale = std::make_shared<const TableLocale>(TableLocaleResolver::resolve(table.grid(), headerRows, overrides));
    return [locale](std::string_view text, int col) { return value(text, col, *locale); };
}

bool mustStayText(std::string_view text)
{
    const std::string s = NumberParser::normalizeSpaces(text);
    if (s.find_first_of("[]") != std::string::npos)
        return true;
    if (std::count_if(s.begin(), s.end(), Unicode::isAsciiDigit) > maxDigits)
        return true;
    if (const auto parts = NumberParser::decompose(s); parts && parts->multiplier)
        return true;
    return hasLeadingZero(s);
}

std::optional<double> value(std::string_view text, int col, const TableLocale& locale)
{
    // mustStayText and the reading below, fused: normalising spaces changes neither the
    // brackets, the digits nor what follows the first digit, and decompose normalises
    // them itself, so every cell is taken apart once and never copied.
    if (text.find_first_of("[]") != std::string_view::npos)
        return std::nullopt;
    const auto digits = std::count_if(text.begin(), text.end(), Unicode::isAsciiDigit);
    if (digits == 0 || digits > maxDigits || hasLeadingZero(text))
        return std::nullopt;
    const auto parts = NumberParser::decompose(text);
    if (!parts || parts->multiplier)
        return std::nullopt;

    const bool inRange = col >= 0 && static_cast<size_t>(col) < locale.columns.size();
    const NumberStyle style = inRange ? locale.columns[static_cast<size_t>(col)].numberStyle : locale.tableNumberStyle;
    const LocaleSource source = inRange ? locale.columns[static_cast<size_t>(col)].numberSource : locale.tableNumberSource;
    const auto chosen = NumberParser::build(*parts, style);
    // Only a settled style may pick between two different readings.
    if (source == LocaleSource::fallback && chosen) {
        const auto otherReading = NumberParser::build(*parts, other(style));
        if (otherReading && otherReading->value != chosen->value)
            return std::nullopt;
    }
    // A bare number would lose the currency mark or the percent sign.
    if (!chosen || chosen->kind != NumberKind::number)
        return std::nullopt;
    const double v = chosen->value.toDouble();
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

}  // namespace VozudOzev::XLSXNumbers
