#include "VozudOzev/Extraction/TableExtraction.hpp"

namespace VozudOzev {

std::string TableExtraction::Extraction::plainText() const
{
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += '\n';
        out += lines[i].text;
    }
    return out;
}

TableExtraction::Extraction TableExtraction::Extraction::restored(EngineOutput output, std::vector<OCRLine> lines,
                                                                Timing timing)
{
    Extraction e;
    e.structure.id = output.id;
    e.structure.imageWidth = output.imageWidth;
    e.structure.imageHeight = output.imageHeight;
    e.output = std::move(output);
    e.lines = std::move(lines);
    e.timing = timing;
    return e;
}

}  // namespace VozudOzev
