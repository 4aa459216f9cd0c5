#include "VozudOzev/Export/JSONExport.hpp"

#include "VozudOzev/Model/CellRef.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

#include <algorithm>

namespace VozudOzev::JSONExport {

Document document(const Table& table, const SourceInfo& source, std::optional<int> headerRows)
{
    std::vector<const Cell*> flagged;
    for (const Cell& cell : table.cells)
        if (cell.isFlagged())
            flagged.push_back(&cell);
    std::stable_sort(flagged.begin(), flagged.end(),
                     [](const Cell* a, const Cell* b) { return a->row != b->row ? a->row < b->row : a->col < b->col; });

    Document d;
    d.schema = std::string(schema);
    d.source = source;
    d.headerRows = headerRows.value_or(table.leadingHeaderRows());
    for (const Cell* cell : flagged)
        d.flaggedCells.push_back(CellRef::a1(*cell));
    d.grid = table.grid();
    d.table = table;
    return d;
}

std::string data(const Table& table, const SourceInfo& source, std::optional<int> headerRows)
{
    return JSONIO::encode(document(table, source, headerRows));
}

Document decode(std::string_view bytes)
{
    return JSONIO::decode<Document>(bytes);
}

void to_json(nlohmann::json& j, const Document& d)
{
    j = nlohmann::json{{"schema", d.schema},           {"source", d.source}, {"header_rows", d.headerRows},
                       {"flagged_cells", d.flaggedCells}, {"grid", d.grid},     {"table", d.table}};
}

void from_json(const nlohmann::json& j, Document& d)
{
    d.schema = j.at("schema").get<std::string>();
    d.source = j.at("source").get<SourceInfo>();
    d.headerRows = JSONIO::getInt(j, "header_rows", 0);
    d.flaggedCells = j.at("flagged_cells").get<std::vector<std::string>>();
    d.grid = j.at("grid").get<std::vector<std::vector<std::string>>>();
    d.table = j.at("table").get<Table>();
}

}  // namespace VozudOzev::JSONExport
