#include "VozudOzev/Trust/TotalCheckResult.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <algorithm>

namespace VozudOzev {

bool TotalCheckResult::passed() const
{
    return std::all_of(columns.begin(), columns.end(), [](const TotalColumnResult& c) { return c.ok; });
}

std::vector<int> TotalCheckResult::mismatchedColumns() const
{
    std::vector<int> out;
    for (const auto& c : columns)
        if (!c.ok)
            out.push_back(c.col);
    return out;
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

}  // namespace VozudOzev
