#pragma once

#include "VozudOzev/Extraction/TableEngine.hpp"
#include "VozudOzev/OCR/TextOCR.hpp"

namespace VozudOzev {

// The engine that needs no model files: the table comes from the OCR geometry alone.
struct TextGridTableEngine final : TableEngine {
    TextOCR ocr;

    explicit TextGridTableEngine(TextOCR ocr_) : ocr(std::move(ocr_)) {}

    // The resolution is not used.
    TableExtraction::Extraction extract(const Image& image, Dpi dpi, const std::string& id) const override;
};

}  // namespace VozudOzev
