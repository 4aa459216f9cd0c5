// The JSON form of the trust results, kept out of the files that compute them: the JSON
// header is costly to compile.
#include "VozudOzev/Trust/ColumnType.hpp"
#include "VozudOzev/Trust/ColumnTypeInfo.hpp"
#include "VozudOzev/Trust/GridPosition.hpp"
#include "VozudOzev/Trust/TotalCheckResult.hpp"
#include "VozudOzev/Trust/TrustReport.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <nlohmann/json.hpp>
#include <string>

namespace VozudOzev {

void to_json(nlohmann::json& j, ColumnType type)
{
    j = std::string(rawValue(type));
}

void from_json(const nlohmann::json& j, ColumnType& type)
{
    type = JSONIO::getEnum<ColumnType>(j, columnTypeFromRaw, "column type");
}

void to_json(nlohmann::json& j, const ColumnTypeInfo& info)
{
    j = nlohmann::json{{"col", info.col}, {"type", info.type}, {"support", info.support}, {"value_count", info.valueCount}};
}

void from_json(const nlohmann::json& j, ColumnTypeInfo& info)
{
    info.col = JSONIO::getInt(j, "col");
    info.type = j.at("type").get<ColumnType>();
    info.support = j.at("support").get<double>();
    info.valueCount = JSONIO::getInt(j, "value_count");
}

void to_json(nlohmann::json& j, const GridPosition& p)
{
    j = nlohmann::json{{"row", p.row}, {"col", p.col}};
}

void from_json(const nlohmann::json& j, GridPosition& p)
{
    p.row = JSONIO::getInt(j, "row");
    p.col = JSONIO::getInt(j, "col");
}

void to_json(nlohmann::json& j, const TotalColumnResult& r)
{
    j = nlohmann::json{{"col", r.col}, {"expected", r.expected}, {"found", r.found}, {"ok", r.ok}, {"terms", r.terms}};
}

void from_json(const nlohmann::json& j, TotalColumnResult& r)
{
    r.col = JSONIO::getInt(j, "col");
    r.expected = j.at("expected").get<Decimal>();
    r.found = j.at("found").get<Decimal>();
    r.ok = j.at("ok").get<bool>();
    r.terms = JSONIO::getInt(j, "terms");
}

void to_json(nlohmann::json& j, const TotalCheckResult& r)
{
    j = nlohmann::json{{"row", r.row}, {"columns", r.columns}, {"unverifiable_columns", r.unverifiableColumns}};
    JSONIO::putOptional(j, "label", r.label);
}

void from_json(const nlohmann::json& j, TotalCheckResult& r)
{
    r.row = JSONIO::getInt(j, "row");
    r.columns = j.at("columns").get<std::vector<TotalColumnResult>>();
    r.unverifiableColumns = JSONIO::getOptional<std::vector<int>>(j, "unverifiable_columns").value_or(std::vector<int>{});
    r.label = JSONIO::getOptional<std::string>(j, "label");
}

void to_json(nlohmann::json& j, const TrustReport& r)
{
    j = nlohmann::json{{"flagged_count", r.flaggedCount},
                       {"low_confidence_count", r.lowConfidenceCount},
                       {"type_mismatch_count", r.typeMismatchCount},
                       {"total_mismatch_count", r.totalMismatchCount},
                       {"header_rows", r.headerRows},
                       {"column_types", r.columnTypes},
                       {"locale", r.locale},
                       {"totals", r.totals},
                       {"ambiguous_date_columns", r.ambiguousDateColumns},
                       {"ambiguous_number_columns", r.ambiguousNumberColumns},
                       {"flagged_positions", r.flaggedPositions}};
}

void from_json(const nlohmann::json& j, TrustReport& r)
{
    r.flaggedCount = JSONIO::getInt(j, "flagged_count");
    r.lowConfidenceCount = JSONIO::getInt(j, "low_confidence_count");
    r.typeMismatchCount = JSONIO::getInt(j, "type_mismatch_count");
    r.totalMismatchCount = JSONIO::getInt(j, "total_mismatch_count");
    r.headerRows = JSONIO::getInt(j, "header_rows");
    r.columnTypes = j.at("column_types").get<std::vector<ColumnTypeInfo>>();
    r.locale = j.at("locale").get<TableLocale>();
    r.totals = j.at("totals").get<std::vector<TotalCheckResult>>();
    r.ambiguousDateColumns = j.at("ambiguous_date_columns").get<std::vector<int>>();
    r.ambiguousNumberColumns = j.at("ambiguous_number_columns").get<std::vector<int>>();
    r.flaggedPositions = j.at("flagged_positions").get<std::vector<GridPosition>>();
}

}  // namespace VozudOzev
