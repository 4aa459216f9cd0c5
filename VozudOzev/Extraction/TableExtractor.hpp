#pragma once

#include "VozudOzev/Platform/ComputeUnits.hpp"
#include "VozudOzev/Structure/ModelLocation.hpp"
#include "VozudOzev/Structure/StructurePredictor.hpp"
#include "VozudOzev/Extraction/StructureAssembler.hpp"
#include "VozudOzev/Extraction/TableEngine.hpp"
#include "VozudOzev/Extraction/TableExtraction.hpp"

#include <functional>
#include <memory>
#include <string>

namespace VozudOzev {

// The engine the application builds once and calls for every capture: text recognition
// and structure prediction at the same time, then the assembler. Built once, then only
// read: one extractor serves several extractions at once.
class TableExtractor : public TableExtraction, public TableEngine {
public:
    // How the structure of a page is predicted; the models, or a stand-in.
    using Predict = std::function<StructureFile(const Image& image, Dpi dpi, const std::string& id)>;

    // Loads the structure models from the folder; their errors are passed on.
    TableExtractor(const ModelLocation& models, ComputeUnits computeUnits, StructureAssembler assembler);
    // With another predictor: tests, and the assembler road without models.
    TableExtractor(Predict predict, StructureAssembler assembler);

    // Nothing when built with another predictor.
    const StructurePredictor* structure() const { return structure_.get(); }

    StructureAssembler assembler;

    // A prediction error wins over an OCR error; both are thrown only after the OCR
    // job has ended, and nothing partial is returned.
    Extraction extract(const Image& image, Dpi dpi, const std::string& id) const override;

private:
    std::shared_ptr<const StructurePredictor> structure_;
    Predict predict_;
};

}  // namespace VozudOzev
