#pragma once

#include "VozudOzev/Extraction/DocumentsEngine.hpp"
#include "VozudOzev/Extraction/TableEngine.hpp"

namespace Kestrow {

// The document engine behind the engine interface: what captures go through when the
// structure models are not installed. The recogniser reports no OCR lines of its own.
class DocumentTableEngine final : public VozudOzev::TableEngine {
public:
    explicit DocumentTableEngine(VozudOzev::DocumentsEngine engine) : engine_(std::move(engine)) {}

    VozudOzev::TableExtraction::Extraction extract(const VozudOzev::Image& image, VozudOzev::Dpi dpi,
                                                   const std::string& id) const override;

private:
    VozudOzev::DocumentsEngine engine_;
};

}  // namespace Kestrow
