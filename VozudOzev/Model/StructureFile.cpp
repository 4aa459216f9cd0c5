#include "VozudOzev/Model/StructureFile.hpp"

#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/Table.hpp"

namespace VozudOzev {

void to_json(nlohmann::json& j, const StructureFile::SCell& c)
{
    j = nlohmann::json{{"row", c.row}, {"col", c.col}, {"rowSpan", c.rowSpan}, {"colSpan", c.colSpan}};
    JSONIO::putOptional(j, "bbox", c.bbox);
    JSONIO::putOptional(j, "header", c.header);
}

void from_json(const nlohmann::json& j, StructureFile::SCell& c)
{
    c.row = JSONIO::getInt(j, "row", 0);
    c.col = JSONIO::getInt(j, "col", 0);
    c.rowSpan = JSONIO::getInt(j, "rowSpan", 1);
    c.colSpan = JSONIO::getInt(j, "colSpan", 1);
    c.bbox = JSONIO::getOptional<BBox>(j, "bbox");
    c.header = JSONIO::getOptional<bool>(j, "header");
}

void to_json(nlohmann::json& j, const StructureFile::STable& t)
{
    j = nlohmann::json{{"rows", t.rows}, {"cols", t.cols}, {"cells", t.cells}};
    JSONIO::putOptional(j, "bbox", t.bbox);
}

void from_json(const nlohmann::json& j, StructureFile::STable& t)
{
    t.rows = JSONIO::getInt(j, "rows", 0);
    t.cols = JSONIO::getInt(j, "cols", 0);
    Table::checkSize(t.rows, t.cols, j);
    t.cells = j.at("cells").get<std::vector<StructureFile::SCell>>();
    t.bbox = JSONIO::getOptional<BBox>(j, "bbox");
}

void to_json(nlohmann::json& j, const StructureFile& f)
{
    j = nlohmann::json{{"imageWidth", f.imageWidth}, {"imageHeight", f.imageHeight}, {"tables", f.tables}};
    JSONIO::putOptional(j, "id", f.id);
    JSONIO::putOptional(j, "elapsedMs", f.elapsedMs);
}

void from_json(const nlohmann::json& j, StructureFile& f)
{
    f.imageWidth = JSONIO::getInt(j, "imageWidth", 0);
    f.imageHeight = JSONIO::getInt(j, "imageHeight", 0);
    f.tables = j.at("tables").get<std::vector<StructureFile::STable>>();
    f.id = JSONIO::getOptional<std::string>(j, "id");
    f.elapsedMs = JSONIO::getOptional<double>(j, "elapsedMs");
}

}  // namespace VozudOzev
