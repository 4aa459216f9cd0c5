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
#include "VozudOzev/OCR/TextHeight.hpp"

#include <algorithm>
#include <charconv>
#include <utility>

namespace VozudOzev {

namespace {

bool* named(StructureAssembler::Options& o, const std::string& shortName)
{
    for (const StructureAssembler::Switch& s : StructureAssembler::switches)
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


// What the phases of one run share.
struct RunState {
    const StructureAssembler::Options& o;
    const Image& image;
    std::vector<OCRWord> words;  // every word of the page, in line order
    std::vector<bool> placed;    // per word: it went into a predicted cell
    double textHeight = 20;
    CropReading::Reader reader;
    std::vector<std::string> notes;
};

std::vector<OCRLine> relabelDashes(const std::vector<OCRLine>& lines, const StructureAssembler::Options& o,
                                   std::vector<std::string>& notes)
{
    if (!o.dashWidth)
        return lines;
    DashWidth::Result r = DashWidth::relabel(lines);
    if (r.relabelled >= 1)
        notes.push_back(std::to_string(r.relabelled) + " free-standing dashes read as em dashes by width");
    return std::move(r.lines);
}

// The predicted cells with the words placed in them, in reading order.
struct PlacedTable {
    std::optional<BBox> box;
    std::vector<AssembledCell> cells;
    std::vector<std::vector<OCRWord>> cellWords;
};

PlacedTable placeWords(RunState& s, const StructureFile::STable& st, double sx, double sy)
{
    PlacedTable t;
    if (st.bbox)
        t.box = WordPlacement::scaled(*st.bbox, sx, sy);
    std::vector<std::optional<BBox>> cellBoxes;
    cellBoxes.reserve(st.cells.size());
    for (const StructureFile::SCell& c : st.cells)
        cellBoxes.push_back(c.bbox ? std::optional(WordPlacement::scaled(*c.bbox, sx, sy)) : std::nullopt);

    const std::vector<std::vector<size_t>> byCell = WordPlacement::place(t.box, cellBoxes, s.words, s.placed);
    t.cells.reserve(st.cells.size());
    t.cellWords.reserve(st.cells.size());
    for (size_t ci = 0; ci < st.cells.size(); ++ci) {
        std::vector<OCRWord> ws;
        for (size_t wi : byCell[ci])
            ws.push_back(s.words[wi]);
        WordPlacement::sortReadingOrder(ws);
        t.cells.push_back(WordPlacement::assembled(st.cells[ci], cellBoxes[ci], ws));
        t.cellWords.push_back(std::move(ws));
    }
    return t;
}

// Empty cells read again from the page, then, where no word lies, measured for a dash.
// The dash readings belong to this pass: with it off, a cell that received no word stays empty.
void readEmptyCells(RunState& s, std::vector<AssembledCell>& cells, const std::string& prefix)
{
    std::vector<BBox> placedBoxes;
    for (size_t wi = 0; wi < s.words.size(); ++wi)
        if (s.placed[wi])
            placedBoxes.push_back(s.words[wi].bbox);
    const int filled = EmptyCellReader::fill(cells, s.image, placedBoxes, s.textHeight, s.reader);
    if (filled > 0)
        s.notes.push_back(prefix + "re-OCR filled " + std::to_string(filled) + " empty cells");

    int dashes = 0;
    for (AssembledCell& c : cells) {
        if (!c.text.empty() || !c.box || EmptyCellReader::overlapsPlacedWord(*c.box, placedBoxes))
            continue;
        if (auto dash = DashDetector::detect(s.image, *c.box, s.textHeight, s.o.dashComponents ? DashDetector::Specks::ignored : DashDetector::Specks::refuse)) {
            c.text = *dash;
            c.textBox = c.box;
            // Read from the pixels, not by the page's OCR: it must not look more trusted.
            CropReading::cap(c);
            ++dashes;
        }
    }
    if (dashes > 0)
        s.notes.push_back(prefix + std::to_string(dashes) + " empty cells read as a dash");

    if (s.o.dashCellMeasure)
        for (AssembledCell& c : cells)
            if (isDashText(c.text) && c.box)
                if (auto dash = DashDetector::detect(s.image, *c.box, s.textHeight, DashDetector::Specks::ignored))
                    c.text = *dash;
}

void confirmRowNumbers(RunState& s, std::vector<AssembledCell>& cells, const std::string& prefix)
{
    std::vector<std::string> before;
    before.reserve(cells.size());
    for (const AssembledCell& c : cells)
        before.push_back(c.text);
    const int n = SequenceDigitCheck::apply(cells, s.reader);
    for (size_t ci = 0; ci < cells.size() && ci < before.size(); ++ci)
        if (cells[ci].text != before[ci])
            CropReading::cap(cells[ci]);
    if (n > 0)
        s.notes.push_back(prefix + std::to_string(n) + " row numbers confirmed by re-reading");
}

void rereadMalformedNumbers(RunState& s, std::vector<AssembledCell>& cells, const std::string& prefix)
{
    const NumberRules::RereadCounts r = NumberRules::rereadMalformed(cells, s.reader);
    if (r.fixed + r.flagged > 0)
        s.notes.push_back(prefix + "malformed numbers re-read " + std::to_string(r.fixed) + ", flagged "
                          + std::to_string(r.flagged));
}

void checkDecimalSeparators(RunState& s, std::vector<AssembledCell>& cells, const std::string& prefix)
{
    const DecimalSeparatorCheck::Counts c =
        DecimalSeparatorCheck::apply(cells, {.preferComma = s.o.preferDecimalComma, .extended = s.o.decimalExtended}, s.reader);
    if (c.total() > 0)
        s.notes.push_back(prefix + "decimal comma confirmed in " + std::to_string(c.confirmed) + " cells, "
                          + std::to_string(c.reread) + " re-read and flagged, " + std::to_string(c.flagged)
                          + " flagged");
}

// Returns the column count left.
int cleanColumns(RunState& s, std::vector<AssembledCell>& cells, int cols, const std::string& prefix)
{
    ColumnCleaner::narrowSpans(cells);
    ColumnCleaner::realignHeader(cells, cols);
    const int n = ColumnCleaner::dropEmptyColumns(cells, cols);
    if (n < cols)
        s.notes.push_back(prefix + "dropped " + std::to_string(cols - n) + " empty columns");
    return n;
}

// One predicted table: words into cells, then the switched repair passes in order.
Table assembleTable(RunState& s, size_t ti, const StructureFile::STable& st, double sx, double sy)
{
    const StructureAssembler::Options& o = s.o;
    const std::string prefix = tablePrefix(ti);
    PlacedTable t = placeWords(s, st, sx, sy);
    std::vector<AssembledCell>& cells = t.cells;
    int cols = st.cols;
    if (o.splitCodeColumn) {
        const int n = CodeColumnSplitter::split(cells, t.cellWords, cols, s.textHeight);
        if (n != cols) {
            s.notes.push_back(prefix + "split line-item codes into their own column");
            cols = n;
        }
    }
    if (o.reOCREmptyCells)
        readEmptyCells(s, cells, prefix);
    if (o.cleanText)
        CellTextCleaner::clean(cells);
    numberCleanup(cells, o);
    if (o.sequenceDigits)
        confirmRowNumbers(s, cells, prefix);
    if (o.rereadMalformedNumbers)
        rereadMalformedNumbers(s, cells, prefix);
    if (o.checkDecimalSeparators)
        checkDecimalSeparators(s, cells, prefix);
    if (o.cleanColumns)
        cols = cleanColumns(s, cells, cols, prefix);
    return {static_cast<int>(ti), st.rows, cols, cellsFrom(cells), t.box};
}

// The text-only cells cleaned as the predicted ones are.
std::vector<AssembledCell> cleanedCells(const Table& table, const StructureAssembler::Options& o)
{
    std::vector<AssembledCell> cells = assembledFrom(table);
    if (o.cleanText)
        CellTextCleaner::clean(cells);
    numberCleanup(cells, o);
    return cells;
}

// The tables of the page without the structure: aligned-text blocks, else the text grid.
// Nothing when neither finds a table.
std::optional<std::vector<Table>> fallbackTables(RunState& s, const std::vector<OCRLine>& lines, const TextOCR& ocr)
{
    std::vector<Table> blocks;
    if (s.o.alignedTextFallback)
        blocks = AlignedTextTable{}.build(lines);
    if (!blocks.empty()) {
        for (Table& t : blocks)
            t.cells = cellsFrom(cleanedCells(t, s.o));
        s.notes.push_back("fallback: structure model found no usable table, used aligned-text columns ("
                          + std::to_string(blocks.size()) + " blocks)");
        return blocks;
    }
    std::vector<std::string> discarded;
    const std::optional<Table> grid = TextGridEngine(TextGridEngine::RuledLines::ignored, ocr).build(lines, &s.image, discarded);
    if (!grid)
        return std::nullopt;
    std::vector<AssembledCell> cells = cleanedCells(*grid, s.o);
    // Two numbers in one cell mean the grid merged columns: never trust it.
    for (AssembledCell& c : cells) {
        const std::vector<std::string> toks = NumberRules::tokens(c.text);
        const auto numbers = std::count_if(toks.begin(), toks.end(), [](const std::string& t) {
            return CellTextCleaner::isNumberToken(t);
        });
        if (numbers >= 2)
            c.confidence = std::min(c.confidence.value_or(0.5), 0.5);
    }
    s.notes.push_back("fallback: structure model found no usable table, used text-grid (B) on the same OCR");
    return std::vector<Table>{Table{0, grid->rows, grid->cols, cellsFrom(cells), grid->bbox}};
}

}  // namespace

std::vector<std::string> StructureAssembler::Options::apply(const std::vector<std::string>& names)
{
    std::vector<std::string> unknown;
    for (const std::string& entry : names) {
        if (entry.empty())
            continue;
        const bool off = entry[0] == '-';
        const std::string name = off ? entry.substr(1) : entry;
        if (bool* flag = named(*this, name))
            *flag = !off;
        else
            unknown.push_back(name);
    }
    return unknown;
}

StructureAssembler StructureAssembler::recommended()
{
    TextOCR ocr{.languages = {"vi-VT", "en-US"}};
    ocr.minimumTextHeight.reset();
    ocr.fastLevel = false;
    ocr.upscale = 1.0;
    Options o;
    for (const Switch& s : switches)
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
    return words.empty() ? 20 : TextHeight::median(words);
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
    RunState s{o, image, {}, {}, 20, [this, &image](const BBox& box) { return reread(image, box); }, {}};
    const std::vector<OCRLine> lines = relabelDashes(ocrLines, o, s.notes);
    for (const OCRLine& line : lines)
        s.words.insert(s.words.end(), line.words.begin(), line.words.end());
    s.placed.assign(s.words.size(), false);
    s.textHeight = medianHeight(s.words);

    const double sx = image.width / static_cast<double>(std::max(structure.imageWidth, 1));
    const double sy = image.height / static_cast<double>(std::max(structure.imageHeight, 1));
    std::vector<Table> tables;
    for (size_t ti = 0; ti < structure.tables.size(); ++ti)
        tables.push_back(assembleTable(s, ti, structure.tables[ti], sx, sy));

    const int totalWords = static_cast<int>(s.words.size());
    const int usedWords = static_cast<int>(std::count(s.placed.begin(), s.placed.end(), true));
    if (totalWords - usedWords > 0)
        s.notes.push_back(std::to_string(totalWords - usedWords) + " OCR words outside every predicted cell (dropped)");
    if (o.fallbackToTextGrid && (o.forceFallback || needsFallback(tables, totalWords, usedWords)))
        if (auto fallback = fallbackTables(s, lines, ocr))
            tables = std::move(*fallback);

    if (structure.elapsedMs)
        s.notes.push_back("structure model elapsed_ms=" + whole(*structure.elapsedMs) + " (not included in elapsed_ms)");
    return EngineOutput(id, "tf_struct", image.width, image.height, Clock::millisecondsSince(startedAt),
                        std::move(tables), std::string("line"), std::move(s.notes));
}

}  // namespace VozudOzev
