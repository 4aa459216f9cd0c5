#pragma once

#include "VozudOzev/Platform/ComputeUnits.hpp"
#include "VozudOzev/Platform/Model.hpp"

#include <filesystem>
#include <memory>

// Model packages and compiled models on disk, and the backends that run them.
//
// A package (<name>.mlpackage) holds "Manifest.json", a JSON object naming the model file
// and its format ({"format": "onnx", "model": "Data/model.onnx"}); without a manifest the
// package's "Data/model.onnx", else "Data/model.json", is taken. A compiled model
// (<name>.mlmodelc) is a folder with "metadata.json" of the same form and the model file.
// Formats: "onnx" (run with OpenCV's dnn module) and "fixture" (a JSON description of
// constant and channel-mean outputs, see FixtureModel.hpp, for tests).
namespace VozudOzev::ModelRuntime {

// Validates the package (manifest, model file, the model loads) and writes the compiled
// model into `destination`, an existing empty folder. Throws ModelError.
void compile(const std::filesystem::path& package, const std::filesystem::path& destination);

// Loads a compiled model. Throws ModelError.
std::shared_ptr<const Model> load(const std::filesystem::path& compiled, ComputeUnits computeUnits);

}  // namespace VozudOzev::ModelRuntime
