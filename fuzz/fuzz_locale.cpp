// The locale parsers over any cell text, and the table resolver over any small grid.
#include "VozudOzev/Locale/DateParser.hpp"
#include "VozudOzev/Locale/Decimal.hpp"
#include "VozudOzev/Locale/LocaleOverrides.hpp"
#include "VozudOzev/Locale/NumberParser.hpp"
#include "VozudOzev/Locale/TableLocaleResolver.hpp"

#include "FuzzSupport.hpp"

using namespace VozudOzev;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (NumberStyle style : {NumberStyle::dotDecimal, NumberStyle::commaDecimal}) {
        NumberParser::parse(text, style);
        NumberParser::leadingNumber(text, style);
    }
    NumberParser::candidates(text);
    FuzzSupport::requireUTF8(NumberParser::normalizeSpaces(Unicode::sanitized(text)), "normalized spaces");
    DateParser::candidates(text);
    Decimal::parse(text);

    // The same bytes as a grid: lines are rows, tabs separate columns.
    std::vector<std::vector<std::string>> grid(1);
    std::string cell;
    for (char c : text) {
        if (c == '\t' || c == '\n') {
            grid.back().push_back(std::move(cell));
            cell.clear();
            if (c == '\n')
                grid.emplace_back();
        } else {
            cell += c;
        }
    }
    grid.back().push_back(std::move(cell));
    const int headerRows = size > 0 ? data[0] % 3 : 0;
    TableLocaleResolver::resolve(grid, headerRows, LocaleOverrides{});
    LocaleOverrides forced;
    forced.numberStyle = NumberStyle::commaDecimal;
    forced.dateOrder = DateOrder::mdy;
    forced.columnNumberStyle[1] = NumberStyle::dotDecimal;
    TableLocaleResolver::resolve(grid, headerRows, forced);
    return 0;
}
