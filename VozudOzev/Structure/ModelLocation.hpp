#pragma once

#include <filesystem>
#include <string>

namespace VozudOzev {

// The model folder, and the compiled models made from its packages on first use.
struct ModelLocation {
    static constexpr const char* layoutName = "RizoviRarir";
    static constexpr const char* encoderName = "TableFormerEncoder";

    std::filesystem::path directory;

    explicit ModelLocation(std::filesystem::path directory) : directory(std::move(directory)) {}

    // The compiled model folder for `name`: "<name>.mlmodelc" in the model folder when it
    // is there; otherwise "<name>.mlpackage" compiled into the cache, reused while it is at
    // least as new as the package's "Manifest.json". Throws VozudOzevError::invalidInput
    // "model <name> not found in <directory>" when neither exists, and ModelError when
    // the package is broken or the cache cannot be written.
    std::filesystem::path compiledModel(const std::string& name) const;

    // "vozudozev-models" in the temporary folder.
    static std::filesystem::path cacheDirectory();

    bool operator==(const ModelLocation&) const = default;
};

}  // namespace VozudOzev
