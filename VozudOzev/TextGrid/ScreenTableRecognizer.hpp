#pragma once

#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/OCR/TextOCR.hpp"
#include "VozudOzev/Platform/DocumentRecognizer.hpp"

#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// The document recogniser on Linux: one table rebuilt from what the screen shows. The
// page is read once; ruling lines (full or partial), background band edges (zebra rows,
// header bars, selection) and border characters of terminal tables become separators,
// border characters never reach a cell, the text between separators is cut into columns
// by the gaps all rows share, and screen chrome (spreadsheet column letters and row
// numbers, a widget's row header) is kept out of the grid. Every decision leaves a note.
class ScreenTableRecognizer final : public DocumentRecognizer {
public:
    explicit ScreenTableRecognizer(TextOCR ocr) : ocr_(std::move(ocr)) {}

    std::vector<DocumentObservation> perform(const Image& image) const override;
    std::vector<std::string> supportedLanguages() const override;

    // The page's lines: one reading, and light text on dark bars read again inverted.
    static std::vector<OCRLine> read(const TextOCR& ocr, const Image& image, std::vector<std::string>& notes);

    // The table of recognised lines over their image, or nothing; decisions go to notes.
    static std::optional<Table> build(const std::vector<OCRLine>& lines, const Image& image,
                                      std::vector<std::string>& notes);

    const TextOCR& ocr() const { return ocr_; }

private:
    TextOCR ocr_;
};

}  // namespace VozudOzev
