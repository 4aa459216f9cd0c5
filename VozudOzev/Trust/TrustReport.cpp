#include "VozudOzev/Trust/TrustReport.hpp"

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
    r.flaggedCount = j.at("flagged_count").get<int>();
    r.lowConfidenceCount = j.at("low_confidence_count").get<int>();
    r.typeMismatchCount = j.at("type_mismatch_count").get<int>();
    r.totalMismatchCount = j.at("total_mismatch_count").get<int>();
    r.headerRows = j.at("header_rows").get<int>();
    r.columnTypes = j.at("column_types").get<std::vector<ColumnTypeInfo>>();
    r.locale = j.at("locale").get<TableLocale>();
    r.totals = j.at("totals").get<std::vector<TotalCheckResult>>();
    r.ambiguousDateColumns = j.at("ambiguous_date_columns").get<std::vector<int>>();
    r.ambiguousNumberColumns = j.at("ambiguous_number_columns").get<std::vector<int>>();
    r.flaggedPositions = j.at("flagged_positions").get<std::vector<GridPosition>>();
}

}  // namespace VozudOzev
