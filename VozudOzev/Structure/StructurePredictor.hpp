#pragma once

#include "VozudOzev/Model/Dpi.hpp"
#include "VozudOzev/Platform/ComputeUnits.hpp"
#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/Structure/LayoutDetector.hpp"
#include "VozudOzev/Structure/ModelLocation.hpp"
#include "VozudOzev/Structure/RGBImage.hpp"
#include "VozudOzev/Structure/TableFormer.hpp"
#include "VozudOzev/Model/StructureFile.hpp"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace VozudOzev {

// A page image to its predicted tables of cells, without text: the layout model on a
// 72-dpi rendering finds the table regions, the table-structure model reads each region
// from a 144-dpi rendering scaled to a height of 1024, and its tags become cells. Boxes
// come back in the source image's pixels.
class StructurePredictor final {
public:
    // One table's intermediate results.
    struct TableTrace {
        std::pair<int, int> pageImageSize{0, 0};  // the 144-dpi page
        std::array<double, 4> tableBoxIn{};       // l, t, r, b on the 144-dpi page
        RGBImage crop;                             // what the structure model read
        std::vector<int> sequence;                 // predicted tag ids
        std::vector<std::string> rsSeq;            // their tags
    };

    // What a prediction saw on the way, for debugging.
    struct Trace {
        std::pair<int, int> layoutImageSize{0, 0};
        std::vector<LayoutDetector::Detection> detections;
        std::vector<TableTrace> tables;
    };

    // Loads the layout model, then the table-structure model, from one folder. Their
    // errors are passed on (a missing folder: "model RizoviRarir not found in ...").
    StructurePredictor(const ModelLocation& location, ComputeUnits computeUnits);

    // Throws what the models throw, and VozudOzevError::invalidInput for an unreadable
    // image or a resolution that is not a positive finite number, or that gives a page
    // too large to render. A region that yields no usable table (an empty crop, a
    // degenerate tag sequence) stays as a table with no rows, columns or cells.
    StructureFile predict(const Image& image, Dpi dpi, const std::optional<std::string>& id = std::nullopt,
                          Trace* trace = nullptr) const;

    const LayoutDetector& layout() const { return layout_; }
    const TableFormer& tableFormer() const { return tableFormer_; }

private:
    LayoutDetector layout_;
    TableFormer tableFormer_;
};

}  // namespace VozudOzev
