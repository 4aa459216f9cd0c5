#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/Platform/TextRecognizer.hpp"
#include "VozudOzev/OCR/TextSegment.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// The settings of one text recognition, and the conversions from the recogniser's
// observations to lines and words in image pixels (origin top left).
struct TextOCR {
    std::vector<std::string> languages;
    bool autoDetectLanguage = false;
    bool languageCorrection = false;
    std::optional<float> minimumTextHeight;
    bool fastLevel = false;
    double upscale = 1.0;
    std::string characters;  // when not empty, the only characters read
    std::shared_ptr<const TextRecognizer> recognizer = TextRecognizer::standard();

    TextOCR(std::vector<std::string> languages, bool autoDetectLanguage, bool languageCorrection);

    // Lines in the recogniser's order; its errors are passed on unchanged.
    std::vector<OCRLine> recognize(const Image& image) const;

    static std::optional<Image> scaled(const Image& image, double factor);

    // Words of each line joined left to right while the gap to the next word is at most
    // max(line height, 1) * gapFactor.
    static std::vector<TextSegment> segments(const std::vector<OCRLine>& lines, double gapFactor);
};

}  // namespace VozudOzev
