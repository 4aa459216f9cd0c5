#include "VozudOzev/Repair/EmptyCellReader.hpp"

#include "VozudOzev/Repair/CellInk.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>

namespace VozudOzev::EmptyCellReader {

namespace {

// Blanks of any kind collapsed to one space, ends trimmed.
std::string collapsed(const std::string& text)
{
    std::string out;
    bool blank = false;
    for (char32_t cp : Unicode::decode(text)) {
        if (Unicode::isWhitespace(cp)) {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        Unicode::append(out, cp);
    }
    return out;
}

bool hasLetterOrDigit(const std::string& text)
{
    for (char32_t cp : Unicode::decode(text))
        if (Unicode::isLetter(cp) || Unicode::isNumber(cp))
            return true;
    return false;
}

bool rangesTouch(int a0, int aSpan, int b0, int bSpan)
{
    return a0 < b0 + bSpan && b0 < a0 + aSpan;
}

bool adjacent(const AssembledCell& a, const AssembledCell& b)
{
    const bool sameRows = rangesTouch(a.row, a.rowSpan, b.row, b.rowSpan);
    const bool sameCols = rangesTouch(a.col, a.colSpan, b.col, b.colSpan);
    const bool besideX = b.col + b.colSpan == a.col || a.col + a.colSpan == b.col;
    const bool besideY = b.row + b.rowSpan == a.row || a.row + a.rowSpan == b.row;
    return (sameRows && besideX) || (sameCols && besideY);
}

// Ink of glyph height that is no ruling line and belongs to no word already placed (a
// neighbour's text reaching into the box).
bool holdsGlyphs(const Image& image, const BBox& box, double textHeight, const std::vector<BBox>& placedWords)
{
    const CellInk::Inside ink = CellInk::inside(image, box, CellInk::Rules::removed);
    return std::any_of(ink.blobs.begin(), ink.blobs.end(), [&](const CellInk::Blob& b) {
        if (b.pixels < 3 || b.height() < 0.25 * textHeight)
            return false;
        const BBox where = b.inImage(ink.x, ink.y);
        return std::none_of(placedWords.begin(), placedWords.end(),
                            [&](const BBox& w) { return w.intersectionArea(where) > 0; });
    });
}

}  // namespace

bool overlapsPlacedWord(const BBox& cell, const std::vector<BBox>& placedWords)
{
    const double cellArea = std::max(cell.area(), 0.0);
    for (const BBox& w : placedWords)
        if (w.intersectionArea(cell) > 0.2 * std::min(std::max(w.area(), 0.0), cellArea))
            return true;
    return false;
}

int fill(std::vector<AssembledCell>& cells, const Image& image, const std::vector<BBox>& placedWords,
         double textHeight, const CropReading::Reader& reread)
{
    // Neighbours are compared with the texts as placed, not with texts filled here.
    const std::vector<AssembledCell> before = cells;
    int filled = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        AssembledCell& cell = cells[i];
        if (!cell.text.empty() || !cell.box)
            continue;
        if (cell.box->h < 0.5 * textHeight || cell.box->w < 0.3 * textHeight)
            continue;
        if (overlapsPlacedWord(*cell.box, placedWords) || !holdsGlyphs(image, *cell.box, textHeight, placedWords))
            continue;
        const std::optional<std::string> read = reread(*cell.box);
        if (!read)
            continue;
        const std::string text = collapsed(*read);
        if (!hasLetterOrDigit(text))
            continue;
        const bool repeatsNeighbour = std::any_of(before.begin(), before.end(), [&](const AssembledCell& other) {
            return !other.text.empty() && adjacent(cell, other) && other.text == text;
        });
        if (repeatsNeighbour)
            continue;
        cell.text = text;
        cell.textBox = cell.box;
        CropReading::cap(cell);
        ++filled;
    }
    return filled;
}

}  // namespace VozudOzev::EmptyCellReader
