#include "VozudOzev/Extraction/TableExtractor.hpp"

#include "VozudOzev/Model/Clock.hpp"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <thread>
#include <utility>

namespace VozudOzev {

TableExtractor::TableExtractor(const ModelLocation& models, ComputeUnits computeUnits, StructureAssembler assembler_)
    : assembler(std::move(assembler_)), structure_(std::make_shared<const StructurePredictor>(models, computeUnits))
{
    predict_ = [predictor = structure_](const Image& image, Dpi dpi, const std::string& id) {
        return predictor->predict(image, dpi, id);
    };
}

TableExtractor::TableExtractor(Predict predict, StructureAssembler assembler_)
    : assembler(std::move(assembler_)), predict_(std::move(predict))
{
}

TableExtraction::Extraction TableExtractor::extract(const Image& image, Dpi dpi, const std::string& id) const
{
    const std::int64_t start = Clock::now();

    std::optional<std::vector<OCRLine>> lines;
    std::exception_ptr ocrError;
    double ocrMs = 0;
    StructureFile structure;
    {
        // The OCR job is joined when this block ends, on every path, errors included.
        std::jthread ocrJob([&] {
            const std::int64_t begin = Clock::now();
            try {
                lines = assembler.ocr.recognize(image);
            } catch (...) {
                ocrError = std::current_exception();
            }
            ocrMs = Clock::millisecondsSince(begin);
        });
        structure = predict_(image, dpi, id);
    }
    if (ocrError)
        std::rethrow_exception(ocrError);

    // The structure time goes into this run's own note, so the assembler is not given it.
    const std::optional<double> structureTime = std::exchange(structure.elapsedMs, std::nullopt);
    EngineOutput output = assembler.run(structure, image, id, *lines, start);
    structure.elapsedMs = structureTime;
    const double total = Clock::millisecondsSince(start);

    const double structureMs = structure.elapsedMs.value_or(0);
    char note[160];
    // "%.0f" prints no decimal separator, so the process locale cannot change it.
    std::snprintf(note, sizeof note, "parallel: ocr %.0f ms, structure %.0f ms, total %.0f ms", ocrMs, structureMs,
                  total);
    output.notes.emplace_back(note);

    return {std::move(output), std::move(structure), std::move(*lines), Timing{ocrMs, structureMs, total}};
}

}  // namespace VozudOzev
