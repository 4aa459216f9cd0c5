#pragma once

#include "VozudOzev/Export/SourceInfo.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One table as a self-describing JSON document: provenance, header rows, the addresses
// of flagged cells, the text grid and the full table.
namespace VozudOzev::JSONExport {

inline constexpr std::string_view schema = "vantrel.table/1";

struct Document {
    std::string schema;
    SourceInfo source;
    int headerRows = 0;
    std::vector<std::string> flaggedCells;  // "B3"-style, in row-then-column order
    std::vector<std::vector<std::string>> grid;
    Table table;

    bool operator==(const Document&) const = default;
};

// headerRows none: the table's leading header rows. A cell counts as flagged by its
// flags alone (any flag but "edited").
Document document(const Table& table, const SourceInfo& source, std::optional<int> headerRows);

// The document in the shared JSON form; throws JSONIO::EncodingError for a value JSON
// cannot carry.
std::string data(const Table& table, const SourceInfo& source, std::optional<int> headerRows);

// Any schema text is accepted; malformed JSON, a missing key, a wrong type or a date that
// is not ISO 8601 throws JSONIO::DecodingError.
Document decode(std::string_view bytes);

void to_json(nlohmann::json& j, const Document& d);
void from_json(const nlohmann::json& j, Document& d);

}  // namespace VozudOzev::JSONExport
