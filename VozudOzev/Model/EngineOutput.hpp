#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// The result of one recognition.
struct EngineOutput {
    std::string id;
    std::string engine;  // "tf_struct", "B", "B+" or "A"
    int imageWidth = 0;
    int imageHeight = 0;
    double elapsedMs = 0;
    std::optional<int> selectedTable;
    std::vector<Table> tables;
    std::optional<std::string> confidenceSource;
    std::vector<std::string> notes;

    EngineOutput() = default;
    // Selects the table with the most slots; the first wins a tie.
    EngineOutput(std::string id, std::string engine, int imageWidth, int imageHeight, double elapsedMs,
                 std::vector<Table> tables, std::optional<std::string> confidenceSource,
                 std::vector<std::string> notes);

    // The table at selectedTable, or nothing when absent or out of range.
    const Table* selected() const;

    bool operator==(const EngineOutput&) const = default;
};

void to_json(nlohmann::json& j, const EngineOutput& o);
void from_json(const nlohmann::json& j, EngineOutput& o);

}  // namespace VozudOzev
