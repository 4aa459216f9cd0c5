#pragma once

#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/Model/StructureFile.hpp"
#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/OCR/TextOCR.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// Turns one predicted structure and the OCR lines of the same image into the engine
// output: words into cells, the switched repair passes, and the text-only fallbacks when
// the structure gives no usable table. A value: safe to use from several threads at once.
struct StructureAssembler {
    // The repair passes, each behind its own switch; all off by default.
    struct Options {
        bool cleanText = false;
        bool cleanColumns = false;
        bool reOCREmptyCells = false;
        bool fallbackToTextGrid = false;
        bool checkDecimalSeparators = false;
        bool preferDecimalComma = false;
        bool alignedTextFallback = false;
        bool forceFallback = false;
        bool joinSplitGroups = false;
        bool unifyCurrency = false;
        bool decimalExtended = false;
        bool rereadMalformedNumbers = false;
        bool splitCodeColumn = false;
        bool dashComponents = false;
        bool sequenceDigits = false;
        bool dashWidth = false;
        bool dashCellMeasure = false;

        // "name" switches on, "-name" off, "" is skipped; the rest still apply past an unknown
        // name. Returns the unknown names, without their "-".
        std::vector<std::string> apply(const std::vector<std::string>& names);

        bool operator==(const Options&) const = default;
    };

    // The short name of each switch, as apply reads them.
    struct Switch {
        const char* name;
        bool Options::*member;
    };
    static constexpr Switch switches[] = {
        {"cleanText", &Options::cleanText},
        {"cleanColumns", &Options::cleanColumns},
        {"reOCR", &Options::reOCREmptyCells},
        {"fallback", &Options::fallbackToTextGrid},
        {"decimal", &Options::checkDecimalSeparators},
        {"preferComma", &Options::preferDecimalComma},
        {"alignedText", &Options::alignedTextFallback},
        {"forceFallback", &Options::forceFallback},
        {"joinGroups", &Options::joinSplitGroups},
        {"currency", &Options::unifyCurrency},
        {"decimalX", &Options::decimalExtended},
        {"malformed", &Options::rereadMalformedNumbers},
        {"codeColumn", &Options::splitCodeColumn},
        {"dashCC", &Options::dashComponents},
        {"seqDigits", &Options::sequenceDigits},
        {"dashWidth", &Options::dashWidth},
        {"dashCell", &Options::dashCellMeasure},
    };

    TextOCR ocr;
    Options options;

    explicit StructureAssembler(TextOCR ocr_) : ocr(std::move(ocr_)) {}
    StructureAssembler(TextOCR ocr_, Options options_) : ocr(std::move(ocr_)), options(options_) {}

    // Vietnamese and English, accurate level, no correction; every pass on except
    // preferDecimalComma, forceFallback and dashWidth.
    static StructureAssembler recommended();

    // startedAt: the monotonic clock (ns) when the extraction began. Errors of the
    // re-reading OCR are thrown.
    EngineOutput run(const StructureFile& structure, const Image& image, const std::string& id,
                     const std::vector<OCRLine>& lines, std::int64_t startedAt) const;

    // Recognises the image with `ocr` first.
    EngineOutput run(const StructureFile& structure, const Image& image, const std::string& id) const;

    // The text inside a box of the image, read again from a padded, enlarged crop.
    std::optional<std::string> reread(const Image& image, const BBox& box) const;

    static bool needsFallback(const std::vector<Table>& tables, int totalWords, int usedWords);

    // The upper median of the word heights; 20 when there are none.
    static double medianHeight(const std::vector<OCRWord>& words);
};

}  // namespace VozudOzev
