#pragma once

#include "VozudOzev/Platform/Model.hpp"

#include <filesystem>
#include <vector>

namespace VozudOzev {

// A small model described in JSON, so tests get exact, designed outputs without a network:
//
//   {"inputs": {"pixel_values": [1, 3, 640, 640]},
//    "outputs": {"logits": {"shape": [1, 2, 12], "type": "float32", "values": [...],
//                           "channel_mean_gain": [gR, gG, gB]}}}
//
// Each output holds `values` (one number is repeated over the shape) plus, when given,
// the sum over channels c of gain[c] times the mean of channel c of the single input
// (axis 1 of its shape). `type` is "float32" (default), "float64" or "int32".
class FixtureModel final : public Model {
public:
    // Throws ModelError when the file cannot be read or describes an impossible model.
    explicit FixtureModel(const std::filesystem::path& file);

    // Throws ModelError when a declared input is missing or has another shape.
    FeatureMap predict(const FeatureMap& inputs) const override;

private:
    struct Output {
        std::string name;
        std::vector<long long> shape;
        MultiArray::ElementType type = MultiArray::ElementType::float32;
        std::vector<double> values;
        std::vector<double> gain;
    };
    FeatureMap outputs(const std::vector<double>& channelMeans) const;

    std::vector<std::pair<std::string, std::vector<long long>>> inputs_;
    std::vector<Output> outputs_;
};

}  // namespace VozudOzev
