#pragma once

#include "VozudOzev/Platform/Image.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// A box in normalised image coordinates (0...1) with the origin at the bottom left,
// the convention recognisers report in; TextOCR converts it to pixels.
struct NormalizedRect {
    double minX = 0;
    double minY = 0;
    double width = 0;
    double height = 0;

    double maxY() const { return minY + height; }
};

// The settings of one text-recognition request.
struct RecognitionRequest {
    bool fast = false;
    bool languageCorrection = false;
    std::vector<std::string> languages;  // BCP-47, priority order
    std::optional<float> minimumTextHeight;  // fraction of the image height
    bool autoDetectLanguage = false;
    std::string characters;  // UTF-8; when not empty, the only characters it may read
};

// One recognised phrase: its box, its best reading and the box of any part of it.
struct TextObservation {
    NormalizedRect box;
    std::optional<std::string> topCandidate;  // UTF-8 in NFC
    double confidence = 0;                    // 0...1, one value for the whole observation
    // Box of the byte range [begin, end) of topCandidate; nothing when it cannot be had.
    std::function<std::optional<NormalizedRect>(size_t begin, size_t end)> boxForRange;
};

// The platform text recogniser. Implementations may be called from several threads at
// once; failures are thrown.
class TextRecognizer {
public:
    virtual ~TextRecognizer() = default;
    // Observations in reading order.
    virtual std::vector<TextObservation> perform(const Image& image, const RecognitionRequest& request) const = 0;

    // The recogniser the library uses unless told otherwise (Tesseract), shared.
    static std::shared_ptr<const TextRecognizer> standard();
};

}  // namespace VozudOzev
