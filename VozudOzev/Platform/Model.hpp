#pragma once

#include "VozudOzev/Platform/MultiArray.hpp"

#include <map>
#include <string>

namespace VozudOzev {

// Named model inputs or outputs.
using FeatureMap = std::map<std::string, MultiArray>;

// A loaded model. predict may be called from several threads at once; a backend whose
// engine is not re-entrant serialises the calls itself.
class Model {
public:
    virtual ~Model() = default;
    // Throws ModelError when an input is missing or misshapen, or the model fails.
    virtual FeatureMap predict(const FeatureMap& inputs) const = 0;
};

}  // namespace VozudOzev
