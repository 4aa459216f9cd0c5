#include "VozudOzev/Trust/TrustReport.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

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
