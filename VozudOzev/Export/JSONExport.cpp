#include "VozudOzev/Export/JSONExport.hpp"

#include "VozudOzev/Export/SlotTexts.hpp"
#include "VozudOzev/Model/CellRef.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/JSONWriter.hpp"

#include <algorithm>

namespace VozudOzev::JSONExport {

namespace {

// Flagged cells in row-then-column order.
std::vector<const Cell*> flaggedCells(const Table& table)
{
    std::vector<const Cell*> flagged;
    for (const Cell& cell : table.cells)
        if (cell.isFlagged())
            flagged.push_back(&cell);
    std::stable_sort(flagged.begin(), flagged.end(),
                     [](const Cell* a, const Cell* b) { return a->row != b->row ? a->row < b->row : a->col < b->col; });
    return flagged;
}

// The cell's to_json form, keys in byte order.
void writeCell(JSONWriter& w, const Cell& cell)
{
    w.beginObject();
    if (cell.bbox) {
        w.key("bbox");
        w.value(nlohmann::json(*cell.bbox));
    }
    w.key("col");
    w.integer(cell.col);
    w.key("col_span");
    w.integer(cell.colSpan);
    if (cell.confidence) {
        w.key("confidence");
        w.number(*cell.confidence);
    }
    if (cell.flags) {
        w.key("flags");
        w.value(nlohmann::json(*cell.flags));
    }
    if (cell.header) {
        w.key("header");
        w.boolean(*cell.header);
    }
    w.key("row");
    w.integer(cell.row);
    w.key("row_span");
    w.integer(cell.rowSpan);
    w.key("text");
    w.string(cell.text);
    w.endObject();
}

// Roughly the written size, so the text is not copied over and over while it grows.
size_t estimatedSize(const Table& table)
{
    size_t bytes = 1024 + static_cast<size_t>(std::max(table.rows, 0)) * 16 +
                   static_cast<size_t>(std::max(table.rows, 0)) * static_cast<size_t>(std::max(table.cols, 0)) * 10;
    for (const Cell& cell : table.cells) {
        bytes += 150 + 2 * cell.text.size();
        if (cell.bbox)
            bytes += 130;
        if (cell.confidence)
            bytes += 40;
        if (cell.flags)
            bytes += 40 + 30 * cell.flags->size();
        if (cell.header)
            bytes += 30;
        if (cell.isFlagged())
            bytes += 20;
    }
    return bytes;
}

}  // namespace

Document document(const Table& table, const SourceInfo& source, std::optional<int> headerRows)
{
    Document d;
    d.schema = std::string(schema);
    d.source = source;
    d.headerRows = headerRows.value_or(table.leadingHeaderRows());
    for (const Cell* cell : flaggedCells(table))
        d.flaggedCells.push_back(CellRef::a1(*cell));
    d.grid = table.grid();
    d.table = table;
    return d;
}

std::string data(const Table& table, const SourceInfo& source, std::optional<int> headerRows)
{
    // Written as it goes, in the same form as JSONIO::encode(document(...)): the tree of a
    // large table took gigabytes and many seconds. Keys in byte order.
    std::string out;
    out.reserve(estimatedSize(table));
    JSONWriter w(out);
    w.beginObject();
    w.key("flagged_cells");
    w.beginArray();
    for (const Cell* cell : flaggedCells(table))
        w.string(CellRef::a1(*cell));
    w.endArray();

    w.key("grid");
    w.beginArray();
    {
        const SlotTexts grid(table);
        for (int r = 0; r < grid.rows(); ++r) {
            w.beginArray();
            for (int c = 0; c < grid.cols(); ++c)
                w.string(grid.text(r, c));
            w.endArray();
        }
    }
    w.endArray();

    w.key("header_rows");
    w.integer(headerRows.value_or(table.leadingHeaderRows()));
    w.key("schema");
    w.string(schema);
    w.key("source");
    w.value(nlohmann::json(source));

    w.key("table");
    w.beginObject();
    if (table.bbox) {
        w.key("bbox");
        w.value(nlohmann::json(*table.bbox));
    }
    w.key("cells");
    w.beginArray();
    for (const Cell& cell : table.cells)
        writeCell(w, cell);
    w.endArray();
    w.key("cols");
    w.integer(table.cols);
    w.key("index");
    w.integer(table.index);
    w.key("rows");
    w.integer(table.rows);
    w.endObject();
    w.endObject();
    return out;
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
