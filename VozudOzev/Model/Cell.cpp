#include "VozudOzev/Model/Cell.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <algorithm>

namespace VozudOzev {

bool Cell::has(CellFlag flag) const
{
    return flags && std::find(flags->begin(), flags->end(), flag) != flags->end();
}

bool Cell::isFlagged() const
{
    return flags && std::any_of(flags->begin(), flags->end(), [](CellFlag f) { return f != CellFlag::edited; });
}

void to_json(nlohmann::json& j, const Cell& c)
{
    j = nlohmann::json{{"row", c.row}, {"col", c.col}, {"row_span", c.rowSpan}, {"col_span", c.colSpan}, {"text", c.text}};
    JSONIO::putOptional(j, "confidence", c.confidence);
    JSONIO::putOptional(j, "bbox", c.bbox);
    JSONIO::putOptional(j, "flags", c.flags);
    JSONIO::putOptional(j, "header", c.header);
}

void from_json(const nlohmann::json& j, Cell& c)
{
    c.row = JSONIO::getInt(j, "row", 0);
    c.col = JSONIO::getInt(j, "col", 0);
    c.rowSpan = JSONIO::getInt(j, "row_span", 1);
    c.colSpan = JSONIO::getInt(j, "col_span", 1);
    c.text = j.at("text").get<std::string>();
    c.confidence = JSONIO::getOptional<double>(j, "confidence");
    c.bbox = JSONIO::getOptional<BBox>(j, "bbox");
    c.flags = JSONIO::getOptional<std::vector<CellFlag>>(j, "flags");
    c.header = JSONIO::getOptional<bool>(j, "header");
}

}  // namespace VozudOzev
