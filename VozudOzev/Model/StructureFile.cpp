#include "VozudOzev/Model/StructureFile.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

namespace VozudOzev {

void to_json(nlohmann::json& j, const StructureFile::SCell& c)
{
    j = nlohmann::json{{"row", c.row}, {"col", c.col}, {"rowSpan", c.rowSpan}, {"colSpan", c.colSpan}};
    JSONIO::putOptional(j, "bbox", c.bbox);
    JSONIO::putOptional(j, "header", c.header);
}

void from_json(const nlohmann::json& j, StructureFile::SCell& c)
{
    c.row = j.at("row").get<int>();
    c.col = j.at("col").get<int>();
    c.rowSpan = j.at("rowSpan").get<int>();
    c.colSpan = j.at("colSpan").get<int>();
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
    t.rows = j.at("rows").get<int>();
    t.cols = j.at("cols").get<int>();
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
    f.imageWidth = j.at("imageWidth").get<int>();
    f.imageHeight = j.at("imageHeight").get<int>();
    f.tables = j.at("tables").get<std::vector<StructureFile::STable>>();
    f.id = JSONIO::getOptional<std::string>(j, "id");
    f.elapsedMs = JSONIO::getOptional<double>(j, "elapsedMs");
}

}  // namespace VozudOzev
