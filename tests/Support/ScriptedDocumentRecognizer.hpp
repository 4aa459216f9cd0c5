#pragma once

#include "VozudOzev/Platform/DocumentRecognizer.hpp"

#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace TestSupport {

// A document recogniser that returns the observations it was given (or throws what its
// `fail` function throws) and records the size of every image it was asked to read.
class ScriptedDocumentRecognizer final : public VozudOzev::DocumentRecognizer {
public:
    explicit ScriptedDocumentRecognizer(std::vector<VozudOzev::DocumentObservation> observations = {})
        : observations_(std::move(observations))
    {
    }

    std::function<void()> fail;  // called before answering; may throw

    std::vector<VozudOzev::DocumentObservation> perform(const VozudOzev::Image& image) const override
    {
        {
            std::lock_guard lock(mutex_);
            sizes_.emplace_back(image.width, image.height);
        }
        if (fail)
            fail();
        return observations_;
    }

    std::vector<std::string> supportedLanguages() const override { return {"en-Latn-US"}; }

    std::vector<std::pair<int, int>> sizes() const
    {
        std::lock_guard lock(mutex_);
        return sizes_;
    }

private:
    std::vector<VozudOzev::DocumentObservation> observations_;
    mutable std::mutex mutex_;
    mutable std::vector<std::pair<int, int>> sizes_;
};

}  // namespace TestSupport
