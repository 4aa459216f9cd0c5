// The JSON form of the locale values, kept out of the files that only compute with them:
// the JSON header is costly to compile.
#include "VozudOzev/Locale/ColumnLocale.hpp"
#include "VozudOzev/Locale/DateColumnResolution.hpp"
#include "VozudOzev/Locale/DateOrder.hpp"
#include "VozudOzev/Locale/Decimal.hpp"
#include "VozudOzev/Locale/LocaleSource.hpp"
#include "VozudOzev/Locale/NumberKind.hpp"
#include "VozudOzev/Locale/NumberStyle.hpp"
#include "VozudOzev/Locale/NumberStyleGuess.hpp"
#include "VozudOzev/Locale/ParsedDate.hpp"
#include "VozudOzev/Locale/ParsedNumber.hpp"
#include "VozudOzev/Locale/TableLocale.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <charconv>
#include <nlohmann/json.hpp>
#include <string>

namespace VozudOzev {

void to_json(nlohmann::json& j, const ColumnLocale& c)
{
    j = nlohmann::json{{"number_style", c.numberStyle},
                       {"number_source", c.numberSource},
                       {"number_ambiguous", c.numberAmbiguous},
                       {"date", c.date},
                       {"date_source", c.dateSource}};
}

void from_json(const nlohmann::json& j, ColumnLocale& c)
{
    c.numberStyle = j.at("number_style").get<NumberStyle>();
    c.numberSource = j.at("number_source").get<LocaleSource>();
    c.numberAmbiguous = j.at("number_ambiguous").get<bool>();
    c.date = j.at("date").get<DateColumnResolution>();
    c.dateSource = j.at("date_source").get<LocaleSource>();
}

void to_json(nlohmann::json& j, const DateColumnResolution& r)
{
    j = nlohmann::json{{"order", r.order},
                       {"is_ambiguous", r.isAmbiguous},
                       {"day_first_only", r.dayFirstOnly},
                       {"month_first_only", r.monthFirstOnly},
                       {"ambiguous_count", r.ambiguousCount},
                       {"year_first", r.yearFirst}};
}

void from_json(const nlohmann::json& j, DateColumnResolution& r)
{
    r.order = j.at("order").get<DateOrder>();
    r.isAmbiguous = j.at("is_ambiguous").get<bool>();
    r.dayFirstOnly = JSONIO::getInt(j, "day_first_only");
    r.monthFirstOnly = JSONIO::getInt(j, "month_first_only");
    r.ambiguousCount = JSONIO::getInt(j, "ambiguous_count");
    r.yearFirst = JSONIO::getInt(j, "year_first");
}

void to_json(nlohmann::json& j, DateOrder order)
{
    j = std::string(rawValue(order));
}

void from_json(const nlohmann::json& j, DateOrder& order)
{
    order = JSONIO::getEnum<DateOrder>(j, dateOrderFromRaw, "date order");
}

void to_json(nlohmann::json& j, const Decimal& d)
{
    const std::string text = d.toString();
    long long whole = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (ec == std::errc() && end == text.data() + text.size())
        j = whole;
    else
        j = d.toDouble();
}

void from_json(const nlohmann::json& j, Decimal& d)
{
    std::optional<Decimal> parsed;
    if (j.is_number_integer()) {
        parsed = j.is_number_unsigned() ? Decimal::parse(std::to_string(j.get<unsigned long long>()))
                                        : Decimal(j.get<long long>());
    } else if (j.is_number_float()) {
        char buffer[512];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, j.get<double>(), std::chars_format::fixed);
        if (ec == std::errc())
            parsed = Decimal::parse(std::string_view(buffer, static_cast<size_t>(end - buffer)));
    } else if (j.is_string()) {
        parsed = Decimal::parse(j.get<std::string>());
    }
    if (!parsed)
        throw nlohmann::json::type_error::create(302, "not a decimal number", &j);
    d = *parsed;
}

void to_json(nlohmann::json& j, LocaleSource source)
{
    j = std::string(rawValue(source));
}

void from_json(const nlohmann::json& j, LocaleSource& source)
{
    source = JSONIO::getEnum<LocaleSource>(j, localeSourceFromRaw, "locale source");
}

void to_json(nlohmann::json& j, NumberKind kind)
{
    j = std::string(rawValue(kind));
}

void from_json(const nlohmann::json& j, NumberKind& kind)
{
    kind = JSONIO::getEnum<NumberKind>(j, numberKindFromRaw, "number kind");
}

void to_json(nlohmann::json& j, NumberStyle style)
{
    j = std::string(rawValue(style));
}

void from_json(const nlohmann::json& j, NumberStyle& style)
{
    style = JSONIO::getEnum<NumberStyle>(j, numberStyleFromRaw, "number style");
}

void to_json(nlohmann::json& j, const NumberStyleGuess& g)
{
    j = nlohmann::json{{"dot_only", g.dotOnly}, {"comma_only", g.commaOnly}, {"ambiguous", g.ambiguous},
                       {"neutral", g.neutral}, {"weak_dot", g.weakDot}, {"weak_comma", g.weakComma}};
}

void from_json(const nlohmann::json& j, NumberStyleGuess& g)
{
    g.dotOnly = JSONIO::getInt(j, "dot_only");
    g.commaOnly = JSONIO::getInt(j, "comma_only");
    g.ambiguous = JSONIO::getInt(j, "ambiguous");
    g.neutral = JSONIO::getInt(j, "neutral");
    g.weakDot = JSONIO::getInt(j, "weak_dot");
    g.weakComma = JSONIO::getInt(j, "weak_comma");
}

void to_json(nlohmann::json& j, const ParsedDate& d)
{
    j = nlohmann::json{{"year", d.year}, {"month", d.month}, {"day", d.day}};
}

void from_json(const nlohmann::json& j, ParsedDate& d)
{
    d.year = JSONIO::getInt(j, "year");
    d.month = JSONIO::getInt(j, "month");
    d.day = JSONIO::getInt(j, "day");
}

void to_json(nlohmann::json& j, const ParsedNumber& n)
{
    j = nlohmann::json{{"value", n.value}, {"kind", n.kind}, {"fraction_digits", n.fractionDigits}, {"normalized", n.normalized}};
    JSONIO::putOptional(j, "currency", n.currency);
}

void from_json(const nlohmann::json& j, ParsedNumber& n)
{
    n.value = j.at("value").get<Decimal>();
    n.kind = j.at("kind").get<NumberKind>();
    n.fractionDigits = JSONIO::getInt(j, "fraction_digits");
    n.normalized = j.at("normalized").get<std::string>();
    n.currency = JSONIO::getOptional<std::string>(j, "currency");
}

void to_json(nlohmann::json& j, const TableLocale& t)
{
    j = nlohmann::json{{"table_number_style", t.tableNumberStyle}, {"table_number_source", t.tableNumberSource}, {"columns", t.columns}};
}

void from_json(const nlohmann::json& j, TableLocale& t)
{
    t.tableNumberStyle = j.at("table_number_style").get<NumberStyle>();
    t.tableNumberSource = j.at("table_number_source").get<LocaleSource>();
    t.columns = j.at("columns").get<std::vector<ColumnLocale>>();
}

}  // namespace VozudOzev
