#include "VozudOzev/Model/EngineOutput.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

namespace VozudOzev {

EngineOutput::EngineOutput(std::string id_, std::string engine_, int imageWidth_, int imageHeight_, double elapsedMs_,
                           std::vector<Table> tables_, std::optional<std::string> confidenceSource_,
                           std::vector<std::string> notes_)
    : id(std::move(id_)),
      engine(std::move(engine_)),
      imageWidth(imageWidth_),
      imageHeight(imageHeight_),
      elapsedMs(elapsedMs_),
      tables(std::move(tables_)),
      confidenceSource(std::move(confidenceSource_)),
      notes(std::move(notes_))
{
    long long best = -1;
    for (size_t i = 0; i < tables.size(); ++i) {
        const long long slots = static_cast<long long>(tables[i].rows) * tables[i].cols;
        if (!selectedTable || slots > best) {
            selectedTable = static_cast<int>(i);
            best = slots;
        }
    }
}

const Table* EngineOutput::selected() const
{
    if (!selectedTable || *selectedTable < 0 || static_cast<size_t>(*selectedTable) >= tables.size())
        return nullptr;
    return &tables[static_cast<size_t>(*selectedTable)];
}

void to_json(nlohmann::json& j, const EngineOutput& o)
{
    j = nlohmann::json{{"id", o.id},
                       {"engine", o.engine},
                       {"image_width", o.imageWidth},
                       {"image_height", o.imageHeight},
                       {"elapsed_ms", o.elapsedMs},
                       {"tables", o.tables},
                       {"notes", o.notes}};
    JSONIO::putOptional(j, "selected_table", o.selectedTable);
    JSONIO::putOptional(j, "confidence_source", o.confidenceSource);
}

void from_json(const nlohmann::json& j, EngineOutput& o)
{
    o.id = j.at("id").get<std::string>();
    o.engine = j.at("engine").get<std::string>();
    o.imageWidth = JSONIO::getInt(j, "image_width", 0);
    o.imageHeight = JSONIO::getInt(j, "image_height", 0);
    o.elapsedMs = j.at("elapsed_ms").get<double>();
    o.tables = j.at("tables").get<std::vector<Table>>();
    o.notes = j.at("notes").get<std::vector<std::string>>();
    o.confidenceSource = JSONIO::getOptional<std::string>(j, "confidence_source");
    // A stored index outside the tables (1e300 included) selects nothing rather than failing later.
    try {
        o.selectedTable = JSONIO::getOptionalInt(j, "selected_table");
    } catch (const nlohmann::json::out_of_range&) {
        o.selectedTable.reset();
    }
    if (o.selectedTable && (*o.selectedTable < 0 || static_cast<size_t>(*o.selectedTable) >= o.tables.size()))
        o.selectedTable.reset();
}

}  // namespace VozudOzev
