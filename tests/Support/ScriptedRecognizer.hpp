#pragma once

#include "VozudOzev/Platform/TextRecognizer.hpp"

#include <functional>
#include <optional>
#include <mutex>
#include <string>
#include <vector>

namespace TestSupport {

// A text recogniser that answers with prepared observations and records what it was asked.
class ScriptedRecognizer final : public VozudOzev::TextRecognizer {
public:
    struct Observation {
        VozudOzev::NormalizedRect box;
        std::optional<std::string> text;
        double confidence = 1;
        // Boxes per byte range of the text; an empty list gives every range no box.
        std::vector<std::pair<std::pair<size_t, size_t>, VozudOzev::NormalizedRect>> ranges;
    };

    // Answers every call with these observations.
    explicit ScriptedRecognizer(std::vector<Observation> script) : script_(std::move(script)) {}
    // Answers with whatever the function makes of the image (e.g. by its size).
    explicit ScriptedRecognizer(std::function<std::vector<Observation>(const VozudOzev::Image&)> fn) : fn_(std::move(fn)) {}

    std::vector<VozudOzev::TextObservation> perform(const VozudOzev::Image& image,
                                                    const VozudOzev::RecognitionRequest& request) const override;

    struct Call {
        int width = 0;
        int height = 0;
        VozudOzev::RecognitionRequest request;
    };
    std::vector<Call> calls() const;
    // Makes every call throw this message.
    void failWith(std::string message) { failure_ = std::move(message); }

private:
    std::vector<Observation> script_;
    std::function<std::vector<Observation>(const VozudOzev::Image&)> fn_;
    std::string failure_;
    mutable std::mutex mutex_;
    mutable std::vector<Call> calls_;
};

// An observation whose words get boxes laid out left to right from pixel boxes.
// words: (text, x, y, w, h) in pixels of an image of the given size.
struct PixelWord {
    std::string text;
    double x, y, w, h;
};
ScriptedRecognizer::Observation observation(const std::vector<PixelWord>& words, double confidence, int imageWidth,
                                            int imageHeight);

}  // namespace TestSupport
