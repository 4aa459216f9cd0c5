#pragma once

#include <chrono>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace VozudOzev {

// Where an exported table came from.
struct SourceInfo {
    std::string name;
    std::chrono::system_clock::time_point capturedAt;
    std::optional<std::string> engine;
    std::optional<int> imageWidth;
    std::optional<int> imageHeight;

    bool operator==(const SourceInfo&) const = default;
};

// "captured_at" is an ISO 8601 UTC date-time with whole seconds.
void to_json(nlohmann::json& j, const SourceInfo& s);
void from_json(const nlohmann::json& j, SourceInfo& s);

}  // namespace VozudOzev
