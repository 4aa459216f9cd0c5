#include "VozudOzev/Platform/ModelRuntime.hpp"

#include "VozudOzev/Platform/FixtureModel.hpp"
#include "VozudOzev/Platform/ModelError.hpp"
#include "VozudOzev/Platform/OnnxModel.hpp"

#include <nlohmann/json.hpp>

#include <fstream>

namespace fs = std::filesystem;

namespace VozudOzev::ModelRuntime {

namespace {

struct Descriptor {
    std::string format;
    fs::path model;  // relative to its folder
};

std::string formatOf(const fs::path& file)
{
    return file.extension() == ".json" ? "fixture" : "onnx";
}

// Reads `descriptorFile` when present, else takes the first of `defaults` that exists.
Descriptor describe(const fs::path& folder, const std::string& descriptorFile, const std::vector<fs::path>& defaults)
{
    const fs::path file = folder / descriptorFile;
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        for (const auto& d : defaults)
            if (fs::is_regular_file(folder / d, ec))
                return {formatOf(d), d};
        throw ModelError("model " + folder.string() + " has no model file (" + defaults.front().string() + ")");
    }
    std::ifstream in(file);
    if (!in)
        throw ModelError("cannot read " + file.string());
    nlohmann::json doc = nlohmann::json::parse(in, nullptr, false);
    if (doc.is_discarded() || !doc.is_object())
        throw ModelError(file.string() + " is not a JSON object");
    Descriptor d;
    const auto model = doc.find("model");
    d.model = model != doc.end() && model->is_string() ? fs::path(model->get<std::string>()) : defaults.front();
    const auto format = doc.find("format");
    d.format = format != doc.end() && format->is_string() ? format->get<std::string>() : formatOf(d.model);
    // The model file must lie inside the package: a manifest is data, not a path to anywhere.
    const fs::path normal = d.model.lexically_normal();
    if (d.model.empty() || normal.is_absolute() || normal.empty() || *normal.begin() == "..")
        throw ModelError(file.string() + " names a model file outside the model: " + d.model.string());
    if (d.format != "onnx" && d.format != "fixture")
        throw ModelError(file.string() + " names an unknown model format: " + d.format);
    if (!fs::is_regular_file(folder / d.model, ec))
        throw ModelError("model " + folder.string() + " has no model file " + d.model.string());
    return d;
}

std::shared_ptr<const Model> open(const std::string& format, const fs::path& file)
{
    if (format == "fixture")
        return std::make_shared<FixtureModel>(file);
    return std::make_shared<OnnxModel>(file);
}

}  // namespace

void compile(const fs::path& package, const fs::path& destination)
{
    const Descriptor d = describe(package, "Manifest.json", {"Data/model.onnx", "Data/model.json"});
    (void)open(d.format, package / d.model);  // refuses a corrupt model before it is cached
    const fs::path name = d.format == "fixture" ? "model.json" : "model.onnx";
    std::error_code ec;
    fs::copy_file(package / d.model, destination / name, ec);
    if (ec)
        throw ModelError("cannot write compiled model " + (destination / name).string() + ": " + ec.message());
    std::ofstream meta(destination / "metadata.json");
    meta << nlohmann::json{{"format", d.format}, {"model", name.string()}}.dump(2) << '\n';
    meta.close();
    if (!meta)
        throw ModelError("cannot write compiled model " + (destination / "metadata.json").string());
}

std::shared_ptr<const Model> load(const fs::path& compiled, ComputeUnits)
{
    std::error_code ec;
    if (!fs::is_directory(compiled, ec))
        throw ModelError("compiled model " + compiled.string() + " is not a folder");
    const Descriptor d = describe(compiled, "metadata.json", {"model.onnx", "model.json"});
    return open(d.format, compiled / d.model);
}

}  // namespace VozudOzev::ModelRuntime
