#include "VozudOzev/Locale/LocaleOverrides.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <charconv>

namespace VozudOzev {

namespace {

template <class T>
nlohmann::json byColumn(const std::map<int, T>& map)
{
    nlohmann::json j = nlohmann::json::object();
    for (const auto& [col, value] : map)
        j[std::to_string(col)] = value;
    return j;
}

template <class T>
std::map<int, T> columnsFrom(const nlohmann::json& j, const char* key)
{
    std::map<int, T> out;
    const auto it = j.find(key);
    if (it == j.end() || it->is_null())
        return out;
    for (const auto& [name, value] : it->items()) {
        int col = 0;
        const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), col);
        if (ec != std::errc() || end != name.data() + name.size() || col < 0)
            throw nlohmann::json::type_error::create(302, "bad column index: " + name, &j);
        out[col] = value.template get<T>();
    }
    return out;
}

}  // namespace

void to_json(nlohmann::json& j, const LocaleOverrides& o)
{
    j = nlohmann::json{{"column_number_style", byColumn(o.columnNumberStyle)}, {"column_date_order", byColumn(o.columnDateOrder)}};
    JSONIO::putOptional(j, "number_style", o.numberStyle);
    JSONIO::putOptional(j, "date_order", o.dateOrder);
    JSONIO::putOptional(j, "default_locale", o.defaultLocale);
}

void from_json(const nlohmann::json& j, LocaleOverrides& o)
{
    o.numberStyle = JSONIO::getOptional<NumberStyle>(j, "number_style");
    o.dateOrder = JSONIO::getOptional<DateOrder>(j, "date_order");
    o.columnNumberStyle = columnsFrom<NumberStyle>(j, "column_number_style");
    o.columnDateOrder = columnsFrom<DateOrder>(j, "column_date_order");
    o.defaultLocale = JSONIO::getOptional<std::string>(j, "default_locale");
}

}  // namespace VozudOzev
