#include "VozudOzev/Extraction/TextGridTableEngine.hpp"

#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/Repair/NumericCheck.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"

namespace VozudOzev {

TableExtraction::Extraction TextGridTableEngine::extract(const Image& image, Dpi, const std::string& id) const
{
    const auto t0 = Clock::now();
    std::vector<OCRLine> lines = ocr.recognize(image);
    std::vector<std::string> notes;
    const TextGridEngine grid(false, ocr);
    std::optional<Table> table = grid.build(lines, &image, notes);
    if (table)
        for (std::string& note : NumericCheck::notes(NumericCheck::apply(*table, image, ocr)))
            notes.push_back(std::move(note));
    const double elapsed = Clock::millisecondsSince(t0);

    std::vector<Table> tables;
    if (table)
        tables.push_back(std::move(*table));
    EngineOutput output(id, "B", image.width, image.height, elapsed, std::move(tables), std::string("line"),
                        std::move(notes));
    StructureFile structure{id, image.width, image.height, 0.0, {}};
    return {std::move(output), std::move(structure), std::move(lines), {elapsed, 0, elapsed}};
}

}  // namespace VozudOzev
