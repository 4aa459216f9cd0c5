#pragma once

#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Model/StructureFile.hpp"

#include <string>
#include <vector>

namespace VozudOzev {

// What an extraction returns. The extractor and every engine share these types, which
// read as TableExtractor::Timing and TableExtractor::Extraction.
struct TableExtraction {
    // Milliseconds spent on each part of one extraction.
    struct Timing {
        double ocr = 0;
        double structure = 0;
        double total = 0;

        bool operator==(const Timing&) const = default;
    };

    struct Extraction {
        EngineOutput output;
        StructureFile structure;
        std::vector<OCRLine> lines;  // as the recogniser returned them
        Timing timing;

        // The line texts in order, one per line.
        std::string plainText() const;

        // A saved capture made whole again. Its structure record holds no tables: a
        // reopened capture never had one, so nothing may rely on it.
        static Extraction restored(EngineOutput output, std::vector<OCRLine> lines, Timing timing);
    };
};

}  // namespace VozudOzev
