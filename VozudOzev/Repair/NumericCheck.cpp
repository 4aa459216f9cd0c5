#include "VozudOzev/Repair/NumericCheck.hpp"

#include "VozudOzev/Model/AssembledCell.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Repair/DashDetector.hpp"
#include "VozudOzev/Repair/DecimalSeparatorCheck.hpp"
#include "VozudOzev/Repair/NumberPattern.hpp"
#include "VozudOzev/Repair/NumberRules.hpp"
#include "VozudOzev/Repair/SeparatorInk.hpp"
#include "VozudOzev/Model/Median.hpp"

#include <algorithm>
#include <map>
#include <set>

namespace VozudOzev::NumericCheck {

namespace {

using NumberRules::collapsed;
using NumberRules::digitsOf;

// The trust analysis's default threshold: below it a cell is flagged.
constexpr double lowConfidence = 0.8;

bool isDash(const std::string& t)
{
    return t == "-" || t == "\u2013" || t == "\u2014";
}

size_t separators(const std::string& marks)
{
    return marks.size() - (!marks.empty() && marks.front() == '-' ? 1 : 0);
}

bool isBody(const AssembledCell& c)
{
    return !c.header && c.colSpan == 1 && c.rowSpan == 1 && !c.text.empty();
}

double medianHeight(const std::vector<AssembledCell>& cells)
{
    std::vector<double> h;
    for (const AssembledCell& c : cells)
        if (c.box && isBody(c) && !isDash(c.text))
            h.push_back(c.box->h);
    return upperMedian(std::move(h));
}

// Indices of each column's body cells holding a number.
std::map<int, std::vector<size_t>> numberColumns(const std::vector<AssembledCell>& cells)
{
    std::map<int, std::vector<size_t>> out;
    for (size_t i = 0; i < cells.size(); ++i)
        if (isBody(cells[i]) && NumberPattern::shapeOf(cells[i].text))
            out[cells[i].col].push_back(i);
    return out;
}

std::vector<std::string> textsOf(const std::vector<AssembledCell>& cells, const std::vector<size_t>& index)
{
    std::vector<std::string> texts;
    for (size_t i : index)
        texts.push_back(cells[i].text);
    return texts;
}

// A new reading settles a doubt when it is a number with the same digits (or the same
// less one in front: a currency sign taken for a digit), its separators agree with the
// ink where the ink tells, and its shape fits the column.
bool settles(const std::string& candidate, const std::string& original, const std::optional<std::string>& ink,
             std::vector<std::string> column, size_t at)
{
    if (!NumberPattern::shapeOf(candidate))
        return false;
    const std::string was = digitsOf(original);
    const std::string now = digitsOf(candidate);
    if (now != was && !(was.size() == now.size() + 1 && was.compare(1, std::string::npos, now) == 0))
        return false;
    if (ink && SeparatorInk::contradicts(NumberPattern::writtenMarks(candidate), *ink))
        return false;
    column[at] = candidate;
    const std::vector<size_t> odd = NumberPattern::outliers(column);
    return std::find(odd.begin(), odd.end(), at) == odd.end();
}


std::vector<AssembledCell> assembled(const Table& table)
{
    std::vector<AssembledCell> cells;
    cells.reserve(table.cells.size());
    for (const Cell& c : table.cells)
        cells.push_back({c.row, c.col, std::max(c.rowSpan, 1), std::max(c.colSpan, 1), c.header.value_or(false),
                         c.text, c.confidence, c.bbox, c.bbox});
    return cells;
}

// The assembler's own passes: split groups, malformed numbers, point decimals.
void runAssemblerPasses(std::vector<AssembledCell>& cells, const CropReading::Reader& reread, Counts& counts)
{
    for (AssembledCell& c : cells) {
        const std::string joined = NumberRules::joinSplitGroups(c.text);
        if (joined != c.text) {
            c.text = joined;
            ++counts.joined;
        }
    }
    const NumberRules::RereadCounts malformed = NumberRules::rereadMalformed(cells, reread);
    counts.malformed = malformed.fixed + malformed.flagged;
    counts.decimals = DecimalSeparatorCheck::apply(cells, {}, reread).total();
}

// The font size, from the digits' height in the table's numbers (digits stand about 0.72
// em tall in the common faces): cell boxes alone mix line and word heights.
std::optional<double> emOfDigits(const std::vector<AssembledCell>& cells, const Image& image)
{
    constexpr size_t enough = 15;
    std::vector<double> heights;
    for (const AssembledCell& c : cells)
        if (heights.size() < enough && c.box && isBody(c) && NumberPattern::shapeOf(c.text))
            if (const std::optional<double> h = SeparatorInk::digitHeight(image, *c.box))
                heights.push_back(*h);
    if (heights.empty())
        return std::nullopt;
    return upperMedian(std::move(heights)) / 0.72;
}

// A lone dash is measured: an em dash (an empty value) read as a hyphen is not a minus.
// A dash whose measure disagrees with its reading, or that is not surely an em dash,
// stays flagged.
void measureDashes(std::vector<AssembledCell>& cells, const Image& image, Counts& counts)
{
    if (std::none_of(cells.begin(), cells.end(), [](const AssembledCell& c) { return isBody(c) && isDash(c.text); }))
        return;
    const double textHeight = medianHeight(cells);
    if (textHeight <= 0)
        return;
    const double em = emOfDigits(cells, image).value_or(textHeight);
    for (AssembledCell& c : cells) {
        if (!isBody(c) || !isDash(c.text) || !c.box)
            continue;
        const std::string read = c.text;
        const BBox b = *c.box;
        const BBox around{b.x - 0.4 * textHeight, b.y - 0.5 * textHeight, b.w + 0.8 * textHeight, b.h + textHeight};
        const std::optional<std::string> dash = DashDetector::detect(image, around, em, DashDetector::Specks::ignored);
        // Only a hyphen is replaced: en and em dash both mark an empty value, and in a
        // monospaced face both fill their character cell.
        if (dash && *dash != c.text && c.text == "-") {
            c.text = *dash;
            ++counts.dashes;
        }
        if (dash ? *dash != read : c.text != "\u2014")
            CropReading::cap(c);
    }
}

using Doubts = std::map<size_t, std::optional<std::string>>;  // cell -> its ink marks

// Separators the ink shows in two cells or more: where the column was read without them
// and the ink could not tell (a mark touching its digit), the reading is doubtful.
void flagColumnThatLostSeparators(std::vector<AssembledCell>& cells, const std::vector<size_t>& index,
                                  const Doubts& doubted, Counts& counts)
{
    std::vector<size_t> lost;
    for (size_t i : index)
        if (doubted.count(i) &&
            separators(*doubted.at(i)) > separators(NumberPattern::writtenMarks(cells[i].text)))
            lost.push_back(i);
    if (lost.size() < 2)
        return;
    size_t fewest = std::string::npos;
    for (size_t i : lost)
        fewest = std::min(fewest, separators(*doubted.at(i)));
    for (size_t i : index)
        if (!doubted.count(i) && separators(NumberPattern::writtenMarks(cells[i].text)) < fewest) {
            CropReading::cap(cells[i]);
            ++counts.column;
        }
}

// A column read mostly with low confidence (a currency sign taken for a digit in every
// row, say) leaves its few confident cells no better founded.
void flagColumnMostlyUnsure(std::vector<AssembledCell>& cells, const std::vector<size_t>& index, Counts& counts)
{
    const auto unsure = [](const AssembledCell& c) { return c.confidence.value_or(1) < lowConfidence; };
    const auto nUnsure = std::count_if(index.begin(), index.end(), [&](size_t i) { return unsure(cells[i]); });
    if (nUnsure < 3 || nUnsure * 5 < static_cast<long>(index.size()) * 3)
        return;
    for (size_t i : index)
        if (!unsure(cells[i])) {
            CropReading::cap(cells[i]);
            ++counts.column;
        }
}

// Doubts: separators against the ink, shapes against the column.
Doubts findDoubts(std::vector<AssembledCell>& cells, const Image& image, Counts& counts)
{
    Doubts doubted;
    for (const auto& [col, index] : numberColumns(cells)) {
        for (size_t i : index) {
            const AssembledCell& c = cells[i];
            if (!c.box)
                continue;
            const std::optional<std::string> ink = SeparatorInk::marks(image, *c.box);
            if (ink && SeparatorInk::contradicts(NumberPattern::writtenMarks(c.text), *ink)) {
                doubted[i] = ink;
                ++counts.ink;
            }
        }
        flagColumnThatLostSeparators(cells, index, doubted, counts);
        flagColumnMostlyUnsure(cells, index, counts);
        std::vector<size_t> odd = NumberPattern::outliers(textsOf(cells, index));
        if (NumberPattern::yenReadAsFour(textsOf(cells, index)))
            for (size_t k = 0; k < index.size(); ++k)
                odd.push_back(k);
        for (size_t k : odd) {
            const size_t i = index[k];
            if (!doubted.count(i)) {
                doubted[i] = cells[i].box ? SeparatorInk::marks(image, *cells[i].box) : std::nullopt;
                ++counts.pattern;
            }
        }
    }
    return doubted;
}

// The blank the old text shows before a closing sign ("50,1 %", "7,00 €"), which a crop's
// reading tends to lose: the page draws it, so the new text keeps it.
std::string withSignBlank(const std::string& candidate, const std::string& old)
{
    const size_t blank = old.rfind(' ');
    if (blank == std::string::npos || blank + 1 >= old.size())
        return candidate;
    const std::string sign = old.substr(blank + 1);
    const std::u32string cps = Unicode::decode(sign);
    if (std::any_of(cps.begin(), cps.end(), [](char32_t c) { return Unicode::isAlphanumeric(c); }) ||
        candidate.size() <= sign.size() || candidate.compare(candidate.size() - sign.size(), sign.size(), sign) != 0 ||
        candidate[candidate.size() - sign.size() - 1] == ' ')
        return candidate;
    return candidate.substr(0, candidate.size() - sign.size()) + " " + sign;
}

// Every doubted cell is flagged and read once more; the new reading replaces the text
// only when it settles the doubt.
void rereadDoubts(std::vector<AssembledCell>& cells, const Doubts& doubted,
                  const std::vector<CropReading::Reader>& readers, Counts& counts)
{
    const std::map<int, std::vector<size_t>> columns = numberColumns(cells);
    for (const auto& [i, ink] : doubted) {
        AssembledCell& c = cells[i];
        CropReading::cap(c);
        if (!c.box)
            continue;
        const std::vector<size_t>& index = columns.at(c.col);
        const size_t at = static_cast<size_t>(std::find(index.begin(), index.end(), i) - index.begin());
        for (const CropReading::Reader& reread : readers) {
            const std::optional<std::string> read = reread(*c.box);
            if (!read)
                continue;
            const std::string candidate = withSignBlank(NumberRules::joinSplitGroups(collapsed(*read)), c.text);
            if (candidate == c.text)
                continue;
            if (settles(candidate, c.text, ink, textsOf(cells, index), at)) {
                c.text = candidate;
                ++counts.fixed;
                break;
            }
        }
    }
}

}  // namespace

Counts apply(Table& table, const Image& image, const CropReading::Reader& reread,
             const std::vector<CropReading::Reader>& numberReaders)
{
    std::vector<AssembledCell> cells = assembled(table);
    Counts counts;
    runAssemblerPasses(cells, reread, counts);
    measureDashes(cells, image, counts);
    rereadDoubts(cells, findDoubts(cells, image, counts), numberReaders, counts);
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].text != table.cells[i].text)
            CropReading::cap(cells[i]);
        table.cells[i].text = cells[i].text;
        table.cells[i].confidence = cells[i].confidence;
    }
    return counts;
}

Counts apply(Table& table, const Image& image, const CropReading::Reader& reread)
{
    return apply(table, image, reread, {reread});
}

Counts apply(Table& table, const Image& image, const TextOCR& ocr)
{
    const auto reader = [&](double scale, std::string_view characters) -> CropReading::Reader {
        return [&ocr, &image, scale, characters](const BBox& box) {
            return CropReading::read(ocr, image, box, scale, characters);
        };
    };
    const CropReading::Reader plain = reader(3.0, {});
    return apply(table, image, plain,
                 {plain, reader(4.0, CropReading::numberCharacters), reader(3.0, CropReading::numberCharacters)});
}

std::vector<std::string> notes(const Counts& c)
{
    if (c == Counts{})
        return {};
    return {"numbers checked: " + std::to_string(c.joined) + " split groups joined, " + std::to_string(c.malformed) +
            " malformed and " + std::to_string(c.decimals) + " point decimals re-read, " + std::to_string(c.dashes) +
            " dashes measured, " + std::to_string(c.ink) + " separators unlike their ink and " +
            std::to_string(c.pattern) + " shapes unlike their column flagged, " + std::to_string(c.fixed) +
            " of those read again, " + std::to_string(c.column) + " more in columns that lost separators"};
}

}  // namespace VozudOzev::NumericCheck
