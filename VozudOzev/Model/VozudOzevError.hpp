#pragma once

#include <stdexcept>
#include <string>

namespace VozudOzev {

// The library's error: an image that cannot be loaded, or input it cannot work with.
class VozudOzevError : public std::runtime_error {
public:
    enum class Kind { imageLoadFailed, invalidInput };

    static VozudOzevError imageLoadFailed(const std::string& path)
    {
        return {Kind::imageLoadFailed, path, "cannot load image: " + path};
    }
    static VozudOzevError invalidInput(const std::string& message)
    {
        return {Kind::invalidInput, message, "invalid input: " + message};
    }

    Kind kind() const { return kind_; }
    const std::string& payload() const { return payload_; }

private:
    VozudOzevError(Kind kind, std::string payload, const std::string& description)
        : std::runtime_error(description), kind_(kind), payload_(std::move(payload))
    {
    }

    Kind kind_;
    std::string payload_;
};

}  // namespace VozudOzev
