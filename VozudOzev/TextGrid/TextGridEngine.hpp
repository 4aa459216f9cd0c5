#pragma once

#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/OCR/TextOCR.hpp"
#include "VozudOzev/OCR/TextSegment.hpp"

#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// Rebuilds one table from the geometry of OCR text: segments clustered into rows,
// columns from vertical gaps shared by many rows (or from ruling lines), wrapped
// continuation lines folded into the row above.
struct TextGridEngine {
    using Row = std::vector<TextSegment>;
    struct Band {
        double lo = 0;  // inclusive
        double hi = 0;  // exclusive

        bool operator==(const Band&) const = default;
    };
    struct Placed {
        int c0 = 0;
        int c1 = 0;
        TextSegment seg;
    };

    bool useRules = false;
    TextOCR ocr;
    double segmentGapFactor = 1.0;
    double minColumnGapFactor = 0.6;
    double mergeGapFactor = 0.2;

    // Whether ruling lines drawn in the image separate rows and columns, or text alone does.
    enum class RuledLines { ignored, followed };

    TextGridEngine(RuledLines rules, TextOCR ocr_) : useRules(rules == RuledLines::followed), ocr(std::move(ocr_)) {}

    std::string name() const { return useRules ? "B+" : "B"; }

    // One table, or nothing when there is no text or no column; decisions go to notes.
    std::optional<Table> build(const std::vector<OCRLine>& lines, const Image* image,
                               std::vector<std::string>& notes) const;

    // A stand-alone run: recognise, build, and wrap the table in an output.
    EngineOutput run(const Image& image, const std::string& id) const;

    static std::vector<Row> clusterRows(const std::vector<TextSegment>& segments, double h);
    // The same rows as indices into segments, for callers that keep more per segment.
    static std::vector<std::vector<size_t>> clusterRowIndices(const std::vector<TextSegment>& segments, double h);
    static std::vector<Band> rawColumns(const std::vector<Row>& rows, const BBox& extent, double minGap);
    static std::vector<Band> columnsFromGaps(const std::vector<Row>& rows, const BBox& extent, double minGap);
    static std::vector<Band> bandsOf(const std::vector<double>& positions, double lo, double hi);
    // The band holding v, else the nearest one (the first on a tie).
    static int colIndex(const std::vector<Band>& columns, double v);
};

}  // namespace VozudOzev
