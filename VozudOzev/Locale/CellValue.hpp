#pragma once

#include "VozudOzev/Locale/ParsedDate.hpp"
#include "VozudOzev/Locale/ParsedNumber.hpp"

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string_view>

namespace VozudOzev {

// What a cell holds, read under its column's locale. A foreign value reads only under
// the other convention. The number goes with number and foreignNumber, the date with
// date and foreignDate.
struct CellValue {
    enum class Kind { number, date, foreignNumber, foreignDate, empty, placeholder, text };

    Kind kind = Kind::text;
    std::optional<ParsedNumber> number;
    std::optional<ParsedDate> date;

    static CellValue ofNumber(ParsedNumber n, bool foreign) { return {foreign ? Kind::foreignNumber : Kind::number, std::move(n), {}}; }
    static CellValue ofDate(ParsedDate d) { return {Kind::date, {}, d}; }
    static CellValue ofForeignDate(ParsedDate d) { return {Kind::foreignDate, {}, d}; }
    static CellValue of(Kind kind) { return {kind, {}, {}}; }

    bool operator==(const CellValue&) const = default;
};

std::string_view rawValue(CellValue::Kind kind);

// {"kind": "foreign_number", "number": {...}}; "date" for the dates.
void to_json(nlohmann::json& j, const CellValue& v);
void from_json(const nlohmann::json& j, CellValue& v);

}  // namespace VozudOzev
