#pragma once

#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/Platform/DocumentRecognizer.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VozudOzev {

// The engine over a document recogniser that finds tables with rows and cells itself
// (engine "A"). Callers run it when the structure models cannot be loaded.
struct DocumentsEngine {
    static constexpr const char* confidenceNote =
        "confidence = min Tesseract line confidence over the cell's text segments; "
        "the text-grid document recogniser exposes no per-cell confidence";
    static constexpr const char* withoutModelsNote =
        "document engine over the screen table recogniser: the model folder did not load";
    // Larger grid positions are taken as a broken recogniser result.
    static constexpr int maxGridIndex = 10'000;

    std::shared_ptr<const DocumentRecognizer> recognizer = DocumentRecognizer::standard();

    DocumentsEngine() = default;
    explicit DocumentsEngine(std::shared_ptr<const DocumentRecognizer> recognizer_)
        : recognizer(std::move(recognizer_))
    {
    }

    // The standard recogniser's languages, as maximal language identifiers.
    static std::vector<std::string> supportedLanguages();

    // Decodes the first image of the data; VozudOzevError::invalidInput when it cannot.
    EngineOutput run(const std::vector<std::uint8_t>& imageData, const std::string& id) const;
    // The recogniser's failures are passed on unchanged; a result with a cell range that
    // is negative, reversed or beyond maxGridIndex is VozudOzevError::invalidInput.
    EngineOutput run(const Image& image, const std::string& id) const;
};

}  // namespace VozudOzev
