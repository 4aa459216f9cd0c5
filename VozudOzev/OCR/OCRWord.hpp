#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <string>

namespace VozudOzev {

struct OCRWord {
    std::string text;
    BBox bbox;
    double confidence = 0;

    bool operator==(const OCRWord&) const = default;
};

void to_json(nlohmann::json& j, const OCRWord& w);
void from_json(const nlohmann::json& j, OCRWord& w);

}  // namespace VozudOzev
