#include "VozudOzev/Platform/FixtureModel.hpp"

#include "VozudOzev/Platform/ModelError.hpp"

#include <nlohmann/json.hpp>

#include <fstream>

namespace VozudOzev {

namespace {

std::vector<long long> shapeOf(const nlohmann::json& j)
{
    std::vector<long long> shape = j.get<std::vector<long long>>();
    (void)MultiArray(shape, MultiArray::ElementType::float32);  // validates the size
    return shape;
}

std::string shapeText(const std::vector<long long>& shape)
{
    std::string s = "[";
    for (size_t i = 0; i < shape.size(); ++i)
        s += (i ? ", " : "") + std::to_string(shape[i]);
    return s + "]";
}

}  // namespace

FixtureModel::FixtureModel(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        throw ModelError("cannot read model file " + file.string());
    try {
        const auto doc = nlohmann::json::parse(in);
        for (const auto& [name, shape] : doc.at("inputs").items())
            inputs_.emplace_back(name, shapeOf(shape));
        for (const auto& [name, spec] : doc.at("outputs").items()) {
            Output o;
            o.name = name;
            o.shape = shapeOf(spec.at("shape"));
            const std::string type = spec.value("type", "float32");
            if (type == "float64")
                o.type = MultiArray::ElementType::float64;
            else if (type == "int32")
                o.type = MultiArray::ElementType::int32;
            else if (type != "float32")
                throw ModelError("output " + name + " has unknown type " + type);
            const auto& values = spec.at("values");
            o.values = values.is_array() ? values.get<std::vector<double>>() : std::vector<double>{values.get<double>()};
            long long count = 1;
            for (long long d : o.shape)
                count *= d;
            if (o.values.size() != 1 && static_cast<long long>(o.values.size()) != count)
                throw ModelError("output " + name + " has " + std::to_string(o.values.size()) + " values for shape " +
                                 shapeText(o.shape));
            if (spec.contains("channel_mean_gain")) {
                o.gain = spec["channel_mean_gain"].get<std::vector<double>>();
                if (inputs_.size() != 1 || inputs_[0].second.size() < 2 ||
                    static_cast<long long>(o.gain.size()) != inputs_[0].second[1])
                    throw ModelError("output " + name + " has channel gains that do not match the input");
            }
            outputs_.push_back(std::move(o));
        }
    } catch (const nlohmann::json::exception& e) {
        throw ModelError("model file " + file.string() + " is not a valid model description: " + e.what());
    } catch (const ModelError& e) {
        throw ModelError("model file " + file.string() + ": " + e.what());
    }
}

FeatureMap FixtureModel::predict(const FeatureMap& inputs) const
{
    for (const auto& [name, shape] : inputs_) {
        const auto it = inputs.find(name);
        if (it == inputs.end())
            throw ModelError("model input " + name + " is missing");
        if (it->second.shape != shape || !it->second.valid())
            throw ModelError("model input " + name + " has shape " + shapeText(it->second.shape) + ", expected " +
                             shapeText(shape));
    }
    std::vector<double> means;
    if (!inputs_.empty() && inputs_[0].second.size() >= 2) {
        const MultiArray& in = inputs.at(inputs_[0].first);
        const long long channels = in.shape[1];
        means.assign(static_cast<size_t>(channels), 0.0);
        if (in.count() == 0)
            return outputs(means);
        const long long inner = in.count() / in.shape[0] / channels;
        for (long long j = 0; j < in.count(); ++j)
            means[static_cast<size_t>((j / inner) % channels)] += in.value(j);
        for (double& m : means)
            m /= static_cast<double>(in.count() / channels);
    }
    return outputs(means);
}

FeatureMap FixtureModel::outputs(const std::vector<double>& means) const
{
    FeatureMap result;
    for (const auto& o : outputs_) {
        double shift = 0;
        for (size_t c = 0; c < o.gain.size(); ++c)
            shift += o.gain[c] * means[c];
        MultiArray a(o.shape, o.type);
        for (long long j = 0; j < a.count(); ++j)
            a.setValue(j, (o.values.size() == 1 ? o.values[0] : o.values[static_cast<size_t>(j)]) + shift);
        result.emplace(o.name, std::move(a));
    }
    return result;
}

}  // namespace VozudOzev
