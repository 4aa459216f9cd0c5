#pragma once

#include <stdexcept>
#include <string>

namespace VozudOzev {

// A failure of the model runtime: a model file that cannot be read, validated, compiled
// or run, or a model cache that cannot be written. The text names the file and the cause.
class ModelError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace VozudOzev
