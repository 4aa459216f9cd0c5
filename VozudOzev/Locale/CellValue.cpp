#include "VozudOzev/Locale/CellValue.hpp"

#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/EnumNames.hpp"

namespace VozudOzev {

constexpr EnumName<CellValue::Kind> kindNames[] = {
    {CellValue::Kind::number, "number"},
    {CellValue::Kind::date, "date"},
    {CellValue::Kind::foreignNumber, "foreign_number"},
    {CellValue::Kind::foreignDate, "foreign_date"},
    {CellValue::Kind::empty, "empty"},
    {CellValue::Kind::placeholder, "placeholder"},
    {CellValue::Kind::text, "text"},
};

std::string_view rawValue(CellValue::Kind kind)
{
    return nameOf(kindNames, kind);
}

void to_json(nlohmann::json& j, const CellValue& v)
{
    j = nlohmann::json{{"kind", std::string(rawValue(v.kind))}};
    JSONIO::putOptional(j, "number", v.number);
    JSONIO::putOptional(j, "date", v.date);
}

void from_json(const nlohmann::json& j, CellValue& v)
{
    const std::string kind = j.at("kind").get<std::string>();
    v.kind = JSONIO::getEnum<CellValue::Kind>(
        j.at("kind"), [](std::string_view name) { return valueNamed(kindNames, name); }, "cell value");
    v.number = JSONIO::getOptional<ParsedNumber>(j, "number");
    v.date = JSONIO::getOptional<ParsedDate>(j, "date");
    const bool needsNumber = v.kind == CellValue::Kind::number || v.kind == CellValue::Kind::foreignNumber;
    const bool needsDate = v.kind == CellValue::Kind::date || v.kind == CellValue::Kind::foreignDate;
    if (needsNumber != v.number.has_value() || needsDate != v.date.has_value())
        throw nlohmann::json::type_error::create(302, "cell value without its reading: " + kind, &j);
}

}  // namespace VozudOzev
