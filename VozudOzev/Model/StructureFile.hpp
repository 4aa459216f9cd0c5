#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// The structure model's tables before any text is placed. Its coding keys are the
// field names themselves (camelCase), unlike the snake_case of the engine output.
struct StructureFile {
    struct SCell {
        int row = 0;
        int col = 0;
        int rowSpan = 1;
        int colSpan = 1;
        std::optional<BBox> bbox;
        std::optional<bool> header;

        bool operator==(const SCell&) const = default;
    };

    struct STable {
        int rows = 0;
        int cols = 0;
        std::optional<BBox> bbox;
        std::vector<SCell> cells;

        bool operator==(const STable&) const = default;
    };

    std::optional<std::string> id;
    int imageWidth = 0;
    int imageHeight = 0;
    std::optional<double> elapsedMs;
    std::vector<STable> tables;

    bool operator==(const StructureFile&) const = default;
};

void to_json(nlohmann::json& j, const StructureFile::SCell& c);
void from_json(const nlohmann::json& j, StructureFile::SCell& c);
void to_json(nlohmann::json& j, const StructureFile::STable& t);
void from_json(const nlohmann::json& j, StructureFile::STable& t);
void to_json(nlohmann::json& j, const StructureFile& f);
void from_json(const nlohmann::json& j, StructureFile& f);

}  // namespace VozudOzev
