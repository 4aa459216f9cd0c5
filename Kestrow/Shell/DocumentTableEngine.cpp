#include "Kestrow/Shell/DocumentTableEngine.hpp"

#include "VozudOzev/Model/Clock.hpp"

namespace Kestrow {

VozudOzev::TableExtraction::Extraction DocumentTableEngine::extract(const VozudOzev::Image& image, VozudOzev::Dpi,
                                                                    const std::string& id) const
{
    const auto start = VozudOzev::Clock::now();
    VozudOzev::TableExtraction::Extraction extraction;
    extraction.output = engine_.run(image, id);
    extraction.structure.id = id;
    extraction.structure.imageWidth = image.width;
    extraction.structure.imageHeight = image.height;
    extraction.timing.ocr = extraction.output.elapsedMs;
    extraction.timing.total = VozudOzev::Clock::millisecondsSince(start);
    return extraction;
}

}  // namespace Kestrow
