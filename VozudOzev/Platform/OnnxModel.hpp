#pragma once

#include "VozudOzev/Platform/Model.hpp"

#include <filesystem>
#include <memory>

namespace VozudOzev {

// An ONNX network run by OpenCV's dnn module. The network is not re-entrant, so calls to
// predict are serialised per model.
class OnnxModel final : public Model {
public:
    // Throws ModelError when the file cannot be read or is not a network OpenCV can load.
    explicit OnnxModel(const std::filesystem::path& file);
    ~OnnxModel() override;

    // Every input is fed by name as float32; the result holds every network output.
    FeatureMap predict(const FeatureMap& inputs) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace VozudOzev
