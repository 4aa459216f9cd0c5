#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/TextRecognizer.hpp"

#include <atomic>
#include <vector>

namespace TestSupport {

// A text recogniser that reports the same lines (given in image pixels) for any image,
// converted to the recogniser's normalised bottom-left boxes with per-word ranges.
class FixedTextRecognizer final : public VozudOzev::TextRecognizer {
public:
    explicit FixedTextRecognizer(std::vector<VozudOzev::OCRLine> lines) : lines_(std::move(lines)) {}

    std::vector<VozudOzev::TextObservation> perform(const VozudOzev::Image& image,
                                                    const VozudOzev::RecognitionRequest& request) const override;

    int calls() const { return calls_; }

private:
    std::vector<VozudOzev::OCRLine> lines_;
    mutable std::atomic<int> calls_{0};
};

}  // namespace TestSupport
