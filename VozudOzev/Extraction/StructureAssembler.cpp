#include "VozudOzev/Extraction/StructureAssembler.hpp"

#include "VozudOzev/TextGrid/AlignedTextTable.hpp"
#include "VozudOzev/Repair/CellTextCleaner.hpp"
#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/Repair/CodeColumnSplitter.hpp"
#include "VozudOzev/Repair/ColumnCleaner.hpp"
#include "VozudOzev/Repair/CropReading.hpp"
#include "VozudOzev/Repair/DashDetector.hpp"
#include "VozudOzev/Repair/DashWidth.hpp"
#include "VozudOzev/Repair/DecimalSeparatorCheck.hpp"
#include "VozudOzev/Repair/EmptyCellReader.hpp"
#include "VozudOzev/Repair/NumberRules.hpp"
#include "VozudOzev/Repair/SequenceDigitCheck.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"
#include "VozudOzev/Extraction/WordPlacement.hpp"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <utility>

namespace VozudOzev {

namespace {

struct ShortName {
    const char* name;
    bool StructureAssembler::Options::*member;
};

using O = StructureAssembler::Options;
constexpr ShortName shortNames[] = {
    {"cleanText", &O::cleanText},
    {"cleanColumns", &O::cleanColumns},
    {"reOCR", &O::reOCREmptyCells},
    {"fallback", &O::fallbackToTextGrid},
    {"decimal", &O::checkDecimalSeparators},
    {"preferComma", &O::preferDecimalComma},
    {"alignedText", &O::alignedTextFallback},
    {"forceFallback", &O::forceFallback},
    {"joinGroups", &O::joinSplitGroups},
    {"currency", &O::unifyCurrency},
    {"decimalX", &O::decimalExtended},
    {"malformed", &O::rereadMalformedNumbers},
    {"codeColumn", &O::splitCodeColumn},
    {"dashCC", &O::dashComponents},
    {"seqDigits", &O::sequenceDigits},
    {"dashWidth", &O::dashWidth},
    {"dashCell", &O::dashCellMeasure},
};

bool* named(StructureAssembler::Options& o, const std::string& shortName)
{
    for (const ShortName& s : shortNames)
        if (shortName == s.name)
            return &(o.*s.member);
    return nullptr;
}

std::string whole(double ms)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, ms, std::chars_format::fixed, 0);
    return std::string(buf, r.ptr);
}

std::string tablePrefix(size_t i)
{
    return "table " + std::to_string(i) + ": ";
}

bool isDashText(const std::string& t)
{
    return t == "-" || t == "\u2014" || t == "\u2013";
}

void numberCleanup(std::vector<AssembledCell>& cells, const StructureAssembler::Options& o)
{
    if (o.joinSplitGroups)
        for (AssembledCell& c : cells)
            c.text = NumberRules::joinSplitGroups(c.text);
    if (o.unifyCurrency)
        NumberRules::unifyCurrencySuffix(cells);
}

// The cells of a text-only table as working cells: no header, the cell box as text box.
std::vector<AssembledCell> assembledFrom(const Table& table)
{
    std::vector<AssembledCell> out;
    out.reserve(table.cells.size());
    for (const Cell& c : table.cells)
        out.push_back({c.row, c.col, std::max(c.rowSpan, 1), std::max(c.colSpan, 1), false, c.text, c.confidence,
                       c.bbox, c.bbox});
    return out;
}

std::vector<Cell> cellsFrom(const std::vector<AssembledCell>& cells)
{
    std::vector<Cell> out;
    out.reserve(cells.size());
    for (const AssembledCell& c : cells)
        out.push_back(WordPlacement::toCell(c));
    return out;
}

}  // namespace

void StructureAssembler::Options::apply(const std::vector<std::string>& names)
{
    for (const std::string& entry : names) {
        if (entry.empty())
            continue;
        const bool off = entry[0] == '-';
        const std::string name = off ? entry.substr(1) : entry;
        if (bool* flag = named(*this, name))
            *flag = !off;
        else
            std::cerr << "StructureAssembler: unknown option \"" << name << "\" ignored\n";
    }
}

StructureAssembler StructureAssembler::recommended()
{
    TextOCR ocr({"vi-VT", "en-US"}, false, false);
    ocr.minimumTextHeight.reset();
    ocr.fastLevel = false;
    ocr.upscale = 1.0;
    Options o;
    for (const ShortName& s : shortNames)
        o.*s.member = true;
    o.preferDecimalComma = false;
    o.forceFallback = false;
    o.dashWidth = false;
    return StructureAssembler(std::move(ocr), o);
}

std::optional<std::string> StructureAssembler::reread(const Image& image, const BBox& box) const
{
    return CropReading::read(ocr, image, box);
}

bool StructureAssembler::needsFallback(const std::vector<Table>& tables, int totalWords, int usedWords)
{
    long long m = 0;
    for (const Table& t : tables)
        m = std::max(m, static_cast<long long>(t.rows) * t.cols);
    if (tables.empty() || m < 4)
        return totalWords > 0;
    return totalWords > 19 && usedWords < 0.25 * totalWords;
}

double StructureAssembler::medianHeight(const std::vector<OCRWord>& words)
{
    if (words.empty())
        return 20;
    std::vector<double> heights;
    heights.reserve(words.size());
    for (const OCRWord& w : words)
        heights.push_back(w.bbox.h);
    std::sort(heights.begin(), heights.end());
    return heights[heights.size() / 2];
}

EngineOutput StructureAssembler::run(const StructureFile& structure, const Image& image, const std::string& id) const
{
    const std::int64_t startedAt = Clock::now();
    const std::vector<OCRLine> lines = ocr.recognize(image);
    return run(structure, image, id, lines, startedAt);
}

EngineOutput StructureAssembler::run(const StructureFile& structure, const Image& image, const std::string& id,
                                     const std::vector<OCRLine>& ocrLines, std::int64_t startedAt) const
{
    const Options& o = options;
    std::vector<std::string> notes;
    const double sx = image.width / static_cast<double>(std::max(structure.imageWidth, 1));
    const double sy = image.height / static_cast<double>(std::max(structure.imageHeight, 1));

    std::vector<OCRLine> lines = ocrLines;
    if (o.dashWidth) {
        DashWidth::Result r = DashWidth::relabel(lines);
        lines = std::move(r.lines);
        if (r.relabelled >= 1)
            notes.push_back(std::to_string(r.relabelled) + " free-standing dashes read as em dashes by width");
    }

    std::vector<OCRWord> words;
    for (const OCRLine& line : lines)
        words.insert(words.end(), line.words.begin(), line.words.end());
    std::vector<bool> placed(words.size(), false);
    const double textHeight = medianHeight(words);
    const CropReading::Reader reader = [this, &image](const BBox& box) { return reread(image, box); };

    std::vector<Table> tables;
    for (size_t ti = 0; ti < structure.tables.size(); ++ti) {
        const StructureFile::STable& st = structure.tables[ti];
        const std::string prefix = tablePrefix(ti);
        std::optional<BBox> tableBox;
        if (st.bbox)
            tableBox = WordPlacement::scaled(*st.bbox, sx, sy);
        std::vector<std::optional<BBox>> cellBoxes;
        cellBoxes.reserve(st.cells.size());
        for (const StructureFile::SCell& c : st.cells)
            cellBoxes.push_back(c.bbox ? std::optional(WordPlacement::scaled(*c.bbox, sx, sy)) : std::nullopt);

        const std::vector<std::vector<size_t>> byCell = WordPlacement::place(tableBox, cellBoxes, words, placed);
        std::vector<AssembledCell> cells;
        std::vector<std::vector<OCRWord>> cellWords;
        cells.reserve(st.cells.size());
        cellWords.reserve(st.cells.size());
        for (size_t ci = 0; ci < st.cells.size(); ++ci) {
            std::vector<OCRWord> ws;
            for (size_t wi : byCell[ci])
                ws.push_back(words[wi]);
            WordPlacement::sortReadingOrder(ws);
            cells.push_back(WordPlacement::assembled(st.cells[ci], cellBoxes[ci], ws));
            cellWords.push_back(std::move(ws));
        }
        int cols = st.cols;

        if (o.splitCodeColumn) {
            const int n = CodeColumnSplitter::split(cells, cellWords, cols, textHeight);
            if (n != cols) {
                notes.push_back(prefix + "split line-item codes into their own column");
                cols = n;
            }
        }

        // The dash readings belong to the re-OCR of empty cells: with it off, a cell
        // that received no word stays empty.
        if (o.reOCREmptyCells) {
            std::vector<BBox> placedBoxes;
            for (size_t wi = 0; wi < words.size(); ++wi)
                if (placed[wi])
                    placedBoxes.push_back(words[wi].bbox);
            const int filled = EmptyCellReader::fill(cells, image, placedBoxes, textHeight, reader);
            if (filled > 0)
                notes.push_back(prefix + "re-OCR filled " + std::to_string(filled) + " empty cells");

            int dashes = 0;
            for (AssembledCell& c : cells) {
                if (!c.text.empty() || !c.box || EmptyCellReader::overlapsPlacedWord(*c.box, placedBoxes))
                    continue;
                if (auto dash = DashDetector::detect(image, *c.box, textHeight, o.dashComponents)) {
                    c.text = *dash;
                    c.textBox = c.box;
                    // Read from the pixels, not by the page's OCR: it must not look more trusted.
                    CropReading::cap(c);
                    ++dashes;
                }
            }
            if (dashes > 0)
                notes.push_back(prefix + std::to_string(dashes) + " empty cells read as a dash");

            if (o.dashCellMeasure)
                for (AssembledCell& c : cells)
                    if (isDashText(c.text) && c.box)
                        if (auto dash = DashDetector::detect(image, *c.box, textHeight, true))
                            c.text = *dash;
        }

        if (o.cleanText)
            CellTextCleaner::clean(cells);
        numberCleanup(cells, o);

        if (o.sequenceDigits) {
            std::vector<std::string> before;
            before.reserve(cells.size());
            for (const AssembledCell& c : cells)
                before.push_back(c.text);
            const int n = SequenceDigitCheck::apply(cells, reader);
            for (size_t ci = 0; ci < cells.size() && ci < before.size(); ++ci)
                if (cells[ci].text != before[ci])
                    CropReading::cap(cells[ci]);
            if (n > 0)
                notes.push_back(prefix + std::to_string(n) + " row numbers confirmed by re-reading");
        }

        if (o.rereadMalformedNumbers) {
            const NumberRules::RereadCounts r = NumberRules::rereadMalformed(cells, reader);
            if (r.fixed + r.flagged > 0)
                notes.push_back(prefix + "malformed numbers re-read " + std::to_string(r.fixed) + ", flagged "
                                + std::to_string(r.flagged));
        }

        if (o.checkDecimalSeparators) {
            const DecimalSeparatorCheck::Counts c =
                DecimalSeparatorCheck::apply(cells, o.preferDecimalComma, o.decimalExtended, reader);
            if (c.total() > 0)
                notes.push_back(prefix + "decimal comma confirmed in " + std::to_string(c.confirmed) + " cells, "
                                + std::to_string(c.reread) + " re-read and flagged, " + std::to_string(c.flagged)
                                + " flagged");
        }

        if (o.cleanColumns) {
            ColumnCleaner::narrowSpans(cells);
            ColumnCleaner::realignHeader(cells, cols);
            const int n = ColumnCleaner::dropEmptyColumns(cells, cols);
            if (n < cols) {
                notes.push_back(prefix + "dropped " + std::to_string(cols - n) + " empty columns");
                cols = n;
            }
        }

        tables.push_back({static_cast<int>(ti), st.rows, cols, cellsFrom(cells), tableBox});
    }

    const int totalWords = static_cast<int>(words.size());
    const int usedWords = static_cast<int>(std::count(placed.begin(), placed.end(), true));
    if (totalWords - usedWords > 0)
        notes.push_back(std::to_string(totalWords - usedWords) + " OCR words outside every predicted cell (dropped)");

    if (o.fallbackToTextGrid && (o.forceFallback || needsFallback(tables, totalWords, usedWords))) {
        std::vector<Table> blocks;
        if (o.alignedTextFallback)
            blocks = AlignedTextTable{}.build(lines);
        if (!blocks.empty()) {
            for (Table& t : blocks) {
                std::vector<AssembledCell> cells = assembledFrom(t);
                if (o.cleanText)
                    CellTextCleaner::clean(cells);
                numberCleanup(cells, o);
                t.cells = cellsFrom(cells);
            }
            notes.push_back("fallback: structure model found no usable table, used aligned-text columns ("
                            + std::to_string(blocks.size()) + " blocks)");
            tables = std::move(blocks);
        } else {
            std::vector<std::string> discarded;
            const std::optional<Table> grid = TextGridEngine(false, ocr).build(lines, &image, discarded);
            if (grid) {
                std::vector<AssembledCell> cells = assembledFrom(*grid);
                if (o.cleanText)
                    CellTextCleaner::clean(cells);
                numberCleanup(cells, o);
                // Two numbers in one cell mean the grid merged columns: never trust it.
                for (AssembledCell& c : cells) {
                    const std::vector<std::string> toks = NumberRules::tokens(c.text);
                    const auto numbers = std::count_if(toks.begin(), toks.end(), [](const std::string& t) {
                        return CellTextCleaner::isNumberToken(t);
                    });
                    if (numbers >= 2)
                        c.confidence = std::min(c.confidence.value_or(0.5), 0.5);
                }
                tables = {Table{0, grid->rows, grid->cols, cellsFrom(cells), grid->bbox}};
                notes.push_back("fallback: structure model found no usable table, used text-grid (B) on the same OCR");
            }
        }
    }

    if (structure.elapsedMs)
        notes.push_back("structure model elapsed_ms=" + whole(*structure.elapsedMs) + " (not included in elapsed_ms)");

    return EngineOutput(id, "tf_struct", image.width, image.height, Clock::millisecondsSince(startedAt),
                        std::move(tables), std::string("line"), std::move(notes));
}

}  // namespace VozudOzev
