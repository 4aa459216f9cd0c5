#include "VozudOzev/Locale/CellValue.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

namespace VozudOzev {

namespace {

constexpr CellValue::Kind allKinds[] = {CellValue::Kind::number, CellValue::Kind::date, CellValue::Kind::foreignNumber,
                                        CellValue::Kind::foreignDate, CellValue::Kind::empty, CellValue::Kind::placeholder,
                                        CellValue::Kind::text};

}  // namespace

std::string_view rawValue(CellValue::Kind kind)
{
    switch (kind) {
    case CellValue::Kind::number: return "number";
    case CellValue::Kind::date: return "date";
    case CellValue::Kind::foreignNumber: return "foreign_number";
    case CellValue::Kind::foreignDate: return "foreign_date";
    case CellValue::Kind::empty: return "empty";
    case CellValue::Kind::placeholder: return "placeholder";
    case CellValue::Kind::text: return "text";
    }
    return "";
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
    bool known = false;
    for (CellValue::Kind k : allKinds)
        if (rawValue(k) == kind) {
            v.kind = k;
            known = true;
        }
    if (!known)
        throw nlohmann::json::type_error::create(302, "unknown cell value: " + kind, &j);
    v.number = JSONIO::getOptional<ParsedNumber>(j, "number");
    v.date = JSONIO::getOptional<ParsedDate>(j, "date");
    const bool needsNumber = v.kind == CellValue::Kind::number || v.kind == CellValue::Kind::foreignNumber;
    const bool needsDate = v.kind == CellValue::Kind::date || v.kind == CellValue::Kind::foreignDate;
    if (needsNumber != v.number.has_value() || needsDate != v.date.has_value())
        throw nlohmann::json::type_error::create(302, "cell value without its reading: " + kind, &j);
}

}  // namespace VozudOzev
