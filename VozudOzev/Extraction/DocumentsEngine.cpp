#include "VozudOzev/Extraction/DocumentsEngine.hpp"

#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/Platform/Leptonica.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <algorithm>
#include <cmath>
#include <set>

namespace VozudOzev {

namespace {

std::optional<BBox> toPixels(const NormalizedRect& r, double W, double H)
{
    const BBox b{r.minX * W, (1 - r.maxY()) * H, r.width * W, r.height * H};
    if (!std::isfinite(b.x) || !std::isfinite(b.y) || !std::isfinite(b.w) || !std::isfinite(b.h))
        return std::nullopt;
    return b;
}

void checkRange(const GridRange& r)
{
    if (r.lower < 0 || r.upper < r.lower || r.upper >= DocumentsEngine::maxGridIndex)
        throw VozudOzevError::invalidInput("document recogniser gave the cell range " + std::to_string(r.lower) +
                                           "..." + std::to_string(r.upper));
}

}  // namespace

std::vector<std::string> DocumentsEngine::supportedLanguages()
{
    return DocumentRecognizer::standard()->supportedLanguages();
}

EngineOutput DocumentsEngine::run(const std::vector<std::uint8_t>& imageData, const std::string& id) const
{
    std::optional<Image> image = Leptonica::readMemory(imageData);
    if (!image)
        throw VozudOzevError::invalidInput("cannot decode image " + id);
    return run(*image, id);
}

EngineOutput DocumentsEngine::run(const Image& image, const std::string& id) const
{
    const double W = image.width;
    const double H = image.height;
    const auto t0 = Clock::now();
    const std::vector<DocumentObservation> observations = recognizer->perform(image);
    const double elapsed = Clock::millisecondsSince(t0);

    std::vector<Table> tables;
    bool anyLine = false;
    for (const DocumentObservation& observation : observations) {
        for (const DocumentTable& found : observation.tables) {
            Table table;
            table.index = static_cast<int>(tables.size());
            std::vector<Cell> cells;
            for (const std::vector<DocumentCell>& row : found.rows) {
                for (const DocumentCell& c : row) {
                    checkRange(c.rows);
                    checkRange(c.columns);
                    Cell cell;
                    cell.row = c.rows.lower;
                    cell.col = c.columns.lower;
                    cell.rowSpan = c.rows.upper - c.rows.lower + 1;
                    cell.colSpan = c.columns.upper - c.columns.lower + 1;
                    cell.text = c.transcript;
                    for (const DocumentTextLine& line : c.lines) {
                        anyLine = true;
                        if (std::isfinite(line.confidence))
                            cell.confidence = std::min(cell.confidence.value_or(line.confidence), line.confidence);
                    }
                    cell.bbox = toPixels(c.contentBox, W, H);
                    table.rows = std::max(table.rows, c.rows.upper + 1);
                    table.cols = std::max(table.cols, c.columns.upper + 1);
                    cells.push_back(std::move(cell));
                }
            }
            // The first cell on an anchor wins.
            std::set<std::pair<int, int>> anchors;
            for (Cell& cell : cells)
                if (anchors.insert({cell.row, cell.col}).second)
                    table.cells.push_back(std::move(cell));
            std::stable_sort(table.cells.begin(), table.cells.end(), [](const Cell& a, const Cell& b) {
                return a.row != b.row ? a.row < b.row : a.col < b.col;
            });
            table.bbox = toPixels(found.boundingBox, W, H);
            tables.push_back(std::move(table));
        }
    }

    std::vector<std::string> notes;
    for (const DocumentObservation& observation : observations)
        notes.insert(notes.end(), observation.notes.begin(), observation.notes.end());
    if (tables.empty())
        notes.push_back("no table detected");
    notes.push_back(confidenceNote);
    return EngineOutput(id, "A", image.width, image.height, elapsed, std::move(tables),
                        anyLine ? std::optional<std::string>("line") : std::nullopt, std::move(notes));
}

}  // namespace VozudOzev
