#pragma once

#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/Platform/TextRecognizer.hpp"

#include <memory>
#include <string>
#include <vector>

namespace VozudOzev {

// A closed range of grid indices, lower...upper.
struct GridRange {
    int lower = 0;
    int upper = 0;

    bool operator==(const GridRange&) const = default;
};

// One recognised text line inside a cell.
struct DocumentTextLine {
    std::string text;
    double confidence = 0;  // 0...1
    NormalizedRect box;
};

struct DocumentCell {
    GridRange rows;
    GridRange columns;
    std::string transcript;
    std::vector<DocumentTextLine> lines;
    NormalizedRect contentBox;
};

struct DocumentTable {
    std::vector<std::vector<DocumentCell>> rows;  // cells row by row, as recognised
    NormalizedRect boundingBox;
};

struct DocumentObservation {
    std::vector<DocumentTable> tables;
    std::vector<std::string> notes;  // what the recogniser decided, in order
};

// A recogniser that finds tables with rows and cells in a page by itself. Boxes are
// normalised (0...1) with the origin at the bottom left, as TextRecognizer reports them.
// Implementations may be called from several threads at once; failures are thrown.
class DocumentRecognizer {
public:
    virtual ~DocumentRecognizer() = default;
    virtual std::vector<DocumentObservation> perform(const Image& image) const = 0;
    // The recognition languages, as maximal language identifiers ("en-Latn-US").
    virtual std::vector<std::string> supportedLanguages() const = 0;

    // The recogniser the library uses unless told otherwise, shared.
    static std::shared_ptr<const DocumentRecognizer> standard();
};

}  // namespace VozudOzev
