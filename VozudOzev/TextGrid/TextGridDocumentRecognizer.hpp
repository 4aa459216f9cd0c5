#pragma once

#include "VozudOzev/Platform/DocumentRecognizer.hpp"
#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/OCR/TextOCR.hpp"

#include <optional>

namespace VozudOzev {

// The document recogniser on Linux, where the platform has none: the page is read by the
// text recogniser and one table is rebuilt from the OCR geometry and the ruling lines
// (the text grid with rules). Each cell reports its text as one line whose confidence
// is the lowest of the OCR segments it holds; slots without text have no cell.
class TextGridDocumentRecognizer final : public DocumentRecognizer {
public:
    explicit TextGridDocumentRecognizer(TextOCR ocr) : ocr_(std::move(ocr)) {}

    // One observation holding the table, or no table when the text grid finds none.
    std::vector<DocumentObservation> perform(const Image& image) const override;
    // The languages installed for the text recogniser that it knows how to ask for.
    std::vector<std::string> supportedLanguages() const override;

    const TextOCR& ocr() const { return ocr_; }

    // The observation of one table (or of none) in the image's normalised coordinates.
    static DocumentObservation observationOf(const std::optional<Table>& table, const Image& image);

private:
    TextOCR ocr_;
};

}  // namespace VozudOzev
