#include "VozudOzev/Merge/StitchTables.hpp"

#include "VozudOzev/Merge/TextCompare.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"
#include "VozudOzev/Model/EnumNames.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <nlohmann/json.hpp>
#include <unordered_map>

namespace VozudOzev::StitchTables {

namespace {

using Grid = std::vector<std::vector<std::string>>;

// Far beyond any spreadsheet's width; a mapping entry past it is not a column.
constexpr int maxColumns = 16384;

// Gives every character (grapheme cluster) one number, so distances compare integers:
// a one-scalar character is its scalar, longer ones get numbers past the Unicode range.
class Characters {
public:
    std::u32string of(std::string_view text)
    {
        std::u32string out;
        const bool ascii = Unicode::isAscii(text);
        if (ascii) {
            // In ASCII only CR LF is a character of two scalars.
            out.reserve(text.size());
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                    out += intern("\r\n");
                    ++i;
                } else {
                    out += static_cast<char32_t>(text[i]);
                }
            }
            return out;
        }
        for (const std::string& g : Unicode::graphemes(text)) {
            const std::u32string cps = Unicode::decode(g);
            out += cps.size() == 1 ? cps[0] : intern(g);
        }
        return out;
    }

private:
    char32_t intern(const std::string& cluster)
    {
        auto [it, added] = ids_.try_emplace(cluster, next_);
        if (added)
            ++next_;
        return it->second;
    }

    std::unordered_map<std::string, char32_t> ids_;
    char32_t next_ = 0x110000;
};

// Texts already in NFC, as character numbers.
double score(const std::u32string& a, const std::u32string& b)
{
    if (a == b)
        return a.empty() ? 0.0 : 1.0;
    if (a.empty() || b.empty())
        return 0.0;
    std::vector<size_t> previous(b.size() + 1);
    std::vector<size_t> current(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
        }
        std::swap(previous, current);
    }
    const double distance = static_cast<double>(previous[b.size()]);
    return 1.0 - distance / static_cast<double>(std::max(a.size(), b.size()));
}

double keyScore(std::string_view a, std::string_view b, Characters& chars)
{
    if (a == b)
        return a.empty() ? 0.0 : 1.0;
    if (a.empty() || b.empty())
        return 0.0;
    return score(chars.of(a), chars.of(b));
}

// A row made ready for scoring: cell keys, their digits and the keys joined by U+001F.
struct RowKey {
    std::vector<std::string> keys;
    std::vector<std::string> digits;
    std::u32string joined;
    bool anyFilled = false;
};

RowKey rowKey(const std::vector<std::string>& row, Characters& chars)
{
    RowKey k;
    std::string joined;
    for (size_t i = 0; i < row.size(); ++i) {
        std::string key = Unicode::nfc(Unicode::lowercased(TextCompare::key(row[i])));
        k.anyFilled = k.anyFilled || !key.empty();
        k.digits.push_back(digits(key));
        if (i > 0)
            joined += '\x1F';
        joined += key;
        k.keys.push_back(std::move(key));
    }
    k.joined = chars.of(joined);
    return k;
}

double rowScore(const RowKey& a, const RowKey& b)
{
    if (a.keys == b.keys)
        return a.anyFilled ? 1.0 : 0.0;
    if (a.keys.size() != b.keys.size())
        return 0.0;
    for (size_t i = 0; i < a.keys.size(); ++i) {
        if (a.keys[i].empty() != b.keys[i].empty() || a.digits[i] != b.digits[i])
            return 0.0;
    }
    return score(a.joined, b.joined);
}

bool isBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// Columns with at least one non-blank text below the header rows.
std::vector<int> filledColumns(const Grid& grid, int headerRows, int cols)
{
    std::vector<int> out;
    for (int c = 0; c < cols; ++c) {
        for (size_t r = static_cast<size_t>(std::max(headerRows, 0)); r < grid.size(); ++r) {
            if (!isBlank(grid[r][static_cast<size_t>(c)])) {
                out.push_back(c);
                break;
            }
        }
    }
    return out;
}

// The one best-match loop of stitching: the first unused candidate with the highest
// score. A score of none makes an index no candidate.
template <class Score>
std::optional<size_t> bestUnused(const std::vector<bool>& used, size_t count, Score score)
{
    std::optional<size_t> best;
    double bestScore = 0;
    for (size_t i = 0; i < count; ++i) {
        if (used[i])
            continue;
        const std::optional<double> s = score(i);
        if (s && (!best || *s > bestScore)) {
            best = i;
            bestScore = *s;
        }
    }
    return best;
}

// Maps next column j onto base column i when one was found; whether it was.
bool claim(Mapping& mapping, std::vector<bool>& used, size_t j, std::optional<size_t> i)
{
    if (!i)
        return false;
    mapping[j] = static_cast<int>(*i);
    used[*i] = true;
    return true;
}

std::vector<std::string> normalized(const std::vector<std::string>& labels)
{
    std::vector<std::string> out;
    for (const auto& l : labels)
        out.push_back(normalize(l));
    return out;
}

std::optional<Mapping> matchByName(const std::vector<std::string>& baseLabels, const std::vector<std::string>& nextLabels,
                                   const std::vector<bool>& blankNext, double threshold, Characters& chars)
{
    const std::vector<std::string> bk = normalized(baseLabels);
    const std::vector<std::string> nk = normalized(nextLabels);
    Mapping mapping(nk.size());
    std::vector<bool> used(bk.size(), false);

    // Equal names first, so a near name cannot take the column an equal one names.
    for (size_t j = 0; j < nk.size(); ++j)
        if (!nk[j].empty())
            claim(mapping, used, j, bestUnused(used, bk.size(), [&](size_t i) -> std::optional<double> {
                      return bk[i] == nk[j] ? std::optional<double>(1.0) : std::nullopt;
                  }));
    for (size_t j = 0; j < nk.size(); ++j)
        if (!mapping[j] && !nk[j].empty())
            claim(mapping, used, j, bestUnused(used, bk.size(), [&](size_t i) -> std::optional<double> {
                      const double s = keyScore(bk[i], nk[j], chars);
                      return s < threshold || s <= 0 ? std::nullopt : std::optional<double>(s);
                  }));
    // An unnamed column goes to the unnamed base column at its position, or nowhere.
    for (size_t j = 0; j < nk.size(); ++j) {
        if (mapping[j] || blankNext[j])
            continue;
        if (!nk[j].empty() || j >= bk.size() || used[j] || !bk[j].empty())
            return std::nullopt;
        claim(mapping, used, j, j);
    }
    return mapping;
}

// Mean of x + w/2 over the boxed one-column cells of each column.
std::vector<std::optional<double>> columnCenters(const Table& table)
{
    const int cols = std::max(table.cols, 0);
    std::vector<double> sum(static_cast<size_t>(cols), 0.0);
    std::vector<int> count(static_cast<size_t>(cols), 0);
    for (const Cell& cell : table.cells) {
        if (cell.colSpan != 1 || !cell.bbox || cell.col < 0 || cell.col >= cols)
            continue;
        sum[static_cast<size_t>(cell.col)] += cell.bbox->x + cell.bbox->w / 2;
        ++count[static_cast<size_t>(cell.col)];
    }
    std::vector<std::optional<double>> out(static_cast<size_t>(cols));
    for (size_t c = 0; c < out.size(); ++c)
        if (count[c] > 0)
            out[c] = sum[c] / count[c];
    return out;
}

// A proposal for the user: columns by the nearest name, then by the nearest centre, then
// by position.
Mapping suggest(const Table& base, const Table& next, const std::vector<std::string>& baseLabels,
                const std::vector<std::string>& nextLabels, double threshold, Characters& chars)
{
    const std::vector<std::string> bk = normalized(baseLabels);
    Mapping out(nextLabels.size());
    std::vector<bool> used(bk.size(), false);

    for (size_t j = 0; j < nextLabels.size(); ++j) {
        const std::string nk = normalize(nextLabels[j]);
        if (!nk.empty())
            claim(out, used, j, bestUnused(used, bk.size(), [&](size_t i) -> std::optional<double> {
                      const double s = keyScore(bk[i], nk, chars);
                      return s >= threshold ? std::optional<double>(s) : std::nullopt;
                  }));
    }

    const auto baseCenters = columnCenters(base);
    const auto nextCenters = columnCenters(next);
    const size_t centred = std::min(baseCenters.size(), used.size());
    for (size_t j = 0; j < out.size(); ++j) {
        if (out[j])
            continue;
        if (j < nextCenters.size() && nextCenters[j] &&
            claim(out, used, j, bestUnused(used, centred, [&](size_t i) -> std::optional<double> {
                      if (!baseCenters[i])
                          return std::nullopt;
                      return -std::abs(*baseCenters[i] - *nextCenters[j]);
                  })))
            continue;
        if (j < used.size() && !used[j])
            claim(out, used, j, j);
    }
    return out;
}

std::vector<std::string> remapRow(const std::vector<std::string>& row, const Mapping& mapping, int width)
{
    std::vector<std::string> out(static_cast<size_t>(width));
    for (size_t k = 0; k < row.size() && k < mapping.size(); ++k) {
        if (!mapping[k] || *mapping[k] < 0 || *mapping[k] >= width)
            continue;
        std::string& slot = out[static_cast<size_t>(*mapping[k])];
        if (slot.empty()) {
            slot = row[k];
        } else {
            slot += ' ';
            slot += row[k];
        }
    }
    return out;
}

std::vector<int> leftOut(const Mapping& mapping)
{
    std::vector<int> out;
    for (size_t k = 0; k < mapping.size(); ++k)
        if (!mapping[k])
            out.push_back(static_cast<int>(k));
    return out;
}

int baseHeaderRows(const Table& base, const Options& options)
{
    const int h = options.baseHeaderRows.value_or(base.leadingHeaderRows());
    return std::clamp(h, 0, std::max(base.rows, 0));
}

// Which cell holds each slot of the appended rows, so that no two cells share one.
class AppendedSlots {
public:
    AppendedSlots(int firstRow, int rows, int width)
        : firstRow_(firstRow), rows_(rows), width_(width),
          holder_(static_cast<size_t>(std::max(rows, 0)) * static_cast<size_t>(std::max(width, 0)), none)
    {
    }

    std::optional<size_t> holder(long long row, long long col) const
    {
        if (row < firstRow_ || row >= firstRow_ + rows_ || col < 0 || col >= width_)
            return std::nullopt;
        const size_t h = holder_[index(row, col)];
        return h == none ? std::nullopt : std::optional<size_t>(h);
    }

    bool free(const Cell& cell) const
    {
        bool all = true;
        visit(cell, [&](size_t at) { all = all && holder_[at] == none; });
        return all;
    }

    void take(const Cell& cell, size_t holder) { visit(cell, [&](size_t at) { holder_[at] = holder; }); }
    // Slots under a base cell reaching down: held, though no text moves there.
    void cover(const Cell& cell) { visit(cell, [&](size_t at) { holder_[at] = covered; }); }

private:
    static constexpr size_t none = SIZE_MAX;
    static constexpr size_t covered = SIZE_MAX - 1;

    size_t index(long long row, long long col) const
    {
        return static_cast<size_t>(row - firstRow_) * static_cast<size_t>(width_) + static_cast<size_t>(col);
    }

    template <class F>
    void visit(const Cell& cell, F f) const
    {
        const long long top = std::max<long long>(cell.row, firstRow_);
        const long long bottom = std::min<long long>(static_cast<long long>(cell.row) + std::max(cell.rowSpan, 1), firstRow_ + rows_);
        const long long left = std::max(cell.col, 0);
        const long long right = std::min<long long>(static_cast<long long>(cell.col) + std::max(cell.colSpan, 1), width_);
        for (long long r = top; r < bottom; ++r)
            for (long long c = left; c < right; ++c)
                f(index(r, c));
    }

    int firstRow_;
    int rows_;
    int width_;
    std::vector<size_t> holder_;
};

// The stitched width: the base's, widened to the highest mapped column.
int stitchedWidth(const Table& base, const Mapping& mapping)
{
    int width = std::max(base.cols, 0);
    for (const auto& entry : mapping) {
        if (!entry || *entry < 0)
            continue;
        if (*entry >= maxColumns)
            throw VozudOzevError::invalidInput("column mapping names column " + std::to_string(*entry));
        width = std::max(width, *entry + 1);
    }
    return width;
}

// Whether the first n rows of b, made comparable by keyOfB, repeat the first n rows of a.
template <class KeyOfB>
bool repeatsRows(const Grid& a, const Grid& b, int n, double rowSimilarity, Characters& chars, KeyOfB keyOfB)
{
    bool repeated = true;
    for (int i = 0; i < n && repeated; ++i)
        repeated = rowScore(rowKey(a[static_cast<size_t>(i)], chars), keyOfB(b[static_cast<size_t>(i)])) >=
                   rowSimilarity;
    return repeated;
}

// The longest run of rows ending the base body that starts the next body.
int overlapRows(const std::vector<RowKey>& baseBody, const std::vector<RowKey>& nextBody, double rowSimilarity)
{
    const size_t b = baseBody.size();
    for (size_t m = std::min(b, nextBody.size()); m >= 1; --m) {
        bool same = true;
        for (size_t i = 0; i < m && same; ++i)
            same = rowScore(baseBody[b - m + i], nextBody[i]) >= rowSimilarity;
        if (same)
            return static_cast<int>(m);
    }
    return 0;
}

// Where the rows of the next capture lie against the base: its repeated header, the rows
// that repeat the end of the base, and what is left to append.
struct Placement {
    int header = 0;   // next rows dropped as a repeated header
    int overlap = 0;  // next rows dropped as repeating the base
    int skipped = 0;  // header + overlap: the first next row appended
    int appended = 0;
};

Placement placeNextRows(const Grid& padded, int hB, const Grid& nextGrid, int hN, const Mapping& mapping, int width,
                        double rowSimilarity, Characters& chars)
{
    const int baseRows = static_cast<int>(padded.size());
    const int nextRows = static_cast<int>(nextGrid.size());
    const auto remappedKey = [&](const std::vector<std::string>& row) {
        return rowKey(remapRow(row, mapping, width), chars);
    };
    Placement p;
    if (hN > 0)
        p.header = hN;
    else if (hB >= 1 && nextRows >= hB)
        p.header = repeatsRows(padded, nextGrid, hB, rowSimilarity, chars, remappedKey) ? hB : 0;
    p.header = std::min(p.header, nextRows);

    std::vector<RowKey> baseBody;
    for (int r = hB; r < baseRows; ++r)
        baseBody.push_back(rowKey(padded[static_cast<size_t>(r)], chars));
    std::vector<RowKey> nextBody;
    for (int r = p.header; r < nextRows; ++r)
        nextBody.push_back(remappedKey(nextGrid[static_cast<size_t>(r)]));
    p.overlap = overlapRows(baseBody, nextBody, rowSimilarity);
    p.skipped = p.header + p.overlap;
    p.appended = std::max(0, nextRows - p.skipped);
    return p;
}

// A next cell moved below the base: rows from the first appended one, its column mapped,
// a span kept only across consecutively mapped columns. Nothing when it lands nowhere.
std::optional<Cell> movedCell(const Cell& cell, const Mapping& mapping, int skipped, int baseRows, int nextRows)
{
    // Cells outside the next grid have no row to land on.
    if (cell.row < 0 || cell.row >= nextRows || cell.col < 0)
        return std::nullopt;
    // A span running past the next grid is cut at its last row, so no cell leaves the result.
    const long long rowEnd = std::min<long long>(static_cast<long long>(cell.row) + std::max(cell.rowSpan, 1), nextRows);
    if (rowEnd <= skipped || static_cast<size_t>(cell.col) >= mapping.size())
        return std::nullopt;
    const auto& target = mapping[static_cast<size_t>(cell.col)];
    if (!target || *target < 0)
        return std::nullopt;
    const int c = *target;
    Cell moved = cell;
    const int from = std::max(cell.row, skipped);
    moved.row = from - skipped + baseRows;
    moved.rowSpan = static_cast<int>(rowEnd - from);
    moved.col = c;
    moved.colSpan = 1;
    if (cell.colSpan > 1) {
        const size_t end = std::min(static_cast<size_t>(cell.col) + static_cast<size_t>(cell.colSpan), mapping.size());
        bool consecutive = true;
        for (size_t k = static_cast<size_t>(cell.col); k < end && consecutive; ++k)
            consecutive = mapping[k] == c + static_cast<int>(k - static_cast<size_t>(cell.col));
        if (consecutive)
            moved.colSpan = static_cast<int>(end - static_cast<size_t>(cell.col));
    }
    moved.bbox.reset();  // a box of the next capture's image means nothing here
    return moved;
}

// The base cells, their spans cut at the base's last row: a span running past the base
// grid would reach into the appended rows.
std::vector<Cell> baseCells(const Table& base, int baseRows)
{
    std::vector<Cell> cells = base.cells;
    for (Cell& cell : cells)
        if (cell.row >= 0 && cell.row < baseRows)
            cell.rowSpan = std::min(cell.rowSpan, baseRows - cell.row);
    return cells;
}

void appendNextCells(std::vector<Cell>& cells, AppendedSlots& slots, const Table& next, const Mapping& mapping,
                     int skipped, int baseRows, int nextRows)
{
    for (const Cell& cell : next.cells) {
        std::optional<Cell> moved = movedCell(cell, mapping, skipped, baseRows, nextRows);
        if (!moved)
            continue;
        // Two next columns mapped onto one base column meet on one slot: the later text joins
        // the earlier one, as in the remapped rows; a span reaching a taken slot shrinks.
        if (const auto holder = slots.holder(moved->row, moved->col)) {
            std::string& text = cells[*holder].text;
            text = text.empty() ? moved->text : text + " " + moved->text;
            continue;
        }
        if (!slots.free(*moved))
            moved->rowSpan = moved->colSpan = 1;
        slots.take(*moved, cells.size());
        cells.push_back(std::move(*moved));
    }
}

// Fills the appended rows so every slot is held or covered by exactly one cell.
void fillAppendedRows(std::vector<Cell>& cells, AppendedSlots& slots, size_t baseCellCount, int baseRows, int appended,
                      int width)
{
    for (size_t i = 0; i < baseCellCount; ++i)
        slots.cover(cells[i]);
    for (int r = 0; r < appended; ++r)
        for (int c = 0; c < width; ++c)
            if (!slots.holder(baseRows + r, c))
                cells.push_back(Cell{baseRows + r, c, 1, 1, "", std::nullopt, std::nullopt, std::nullopt, std::nullopt});
}

Result assemble(const Table& base, int hB, const Table& next, int hN, const Mapping& mapping, MappingMethod method,
                std::vector<int> droppedEmpty, const Options& options, const Grid& baseGrid, const Grid& nextGrid,
                Characters& chars)
{
    const int width = stitchedWidth(base, mapping);
    Grid padded = baseGrid;
    for (auto& row : padded)
        row.resize(static_cast<size_t>(width));
    const int baseRows = static_cast<int>(padded.size());
    const int nextRows = static_cast<int>(nextGrid.size());
    const Placement p = placeNextRows(padded, hB, nextGrid, hN, mapping, width, options.rowSimilarity, chars);

    const int rows = baseRows + p.appended;
    // A table no stored record may hold would be lost at the next save and reopen.
    if (static_cast<long long>(rows) * width > Table::maxSlots)
        throw VozudOzevError::invalidInput("the stitched table would have " + std::to_string(rows) + " x " +
                                           std::to_string(width) + " slots");

    std::vector<Cell> cells = baseCells(base, baseRows);
    AppendedSlots slots(baseRows, p.appended, width);
    appendNextCells(cells, slots, next, mapping, p.skipped, baseRows, nextRows);
    fillAppendedRows(cells, slots, base.cells.size(), baseRows, p.appended, width);
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });

    Table table;
    table.index = base.index;
    table.bbox = base.bbox;
    table.rows = rows;
    table.cols = width;
    table.cells = std::move(cells);
    Report report{p.header, p.overlap, p.appended, mapping, method, std::move(droppedEmpty)};
    return Result{Stitched{std::move(table), std::move(report)}};
}

}  // namespace

constexpr EnumName<MappingMethod> mappingMethodNames[] = {
    {MappingMethod::position, "position"},
    {MappingMethod::headerNames, "headerNames"},
    {MappingMethod::nonEmptyPosition, "nonEmptyPosition"},
    {MappingMethod::manual, "manual"},
};

std::string_view rawValue(MappingMethod method)
{
    return nameOf(mappingMethodNames, method);
}

std::optional<MappingMethod> mappingMethodFromRaw(std::string_view raw)
{
    return valueNamed(mappingMethodNames, raw);
}

void to_json(nlohmann::json& j, MappingMethod m)
{
    j = std::string(rawValue(m));
}

void from_json(const nlohmann::json& j, MappingMethod& m)
{
    m = JSONIO::getEnum<MappingMethod>(j, mappingMethodFromRaw, "mapping method");
}

const Table* Result::table() const
{
    const auto* s = std::get_if<Stitched>(&value);
    return s ? &s->table : nullptr;
}

const Stitched* Result::stitched() const
{
    return std::get_if<Stitched>(&value);
}

const MappingRequest* Result::request() const
{
    return std::get_if<MappingRequest>(&value);
}

std::string normalize(std::string_view text)
{
    std::string kept;
    for (char32_t cp : Unicode::decode(Unicode::lowercased(text)))
        if (Unicode::isAlphanumeric(cp))
            Unicode::append(kept, cp);
    // Canonically equivalent labels must give equal keys.
    return Unicode::nfc(kept);
}

std::string digits(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (Unicode::isAsciiDigit(c))
            out += c;
    return out;
}

double similarity(std::string_view a, std::string_view b)
{
    Characters chars;
    return keyScore(Unicode::nfc(a), Unicode::nfc(b), chars);
}

double rowSimilarity(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    Characters chars;
    return rowScore(rowKey(a, chars), rowKey(b, chars));
}

Result stitch(const Table& base, const Table& next, const Options& options)
{
    Characters chars;
    const int hB = baseHeaderRows(base, options);
    const Grid baseGrid = base.grid();
    const Grid nextGrid = next.grid();
    const int nextRows = static_cast<int>(nextGrid.size());
    const int nextCols = std::max(next.cols, 0);
    const int baseCols = std::max(base.cols, 0);

    int hN = next.leadingHeaderRows();
    if (hN == 0) {
        // No header cells: a first row that repeats the base's header is one all the same.
        const int tested = hB >= 1 ? hB : (base.rows >= 2 ? 1 : 0);
        if (tested > 0 && nextRows >= tested && baseCols == nextCols &&
            repeatsRows(baseGrid, nextGrid, tested, options.rowSimilarity, chars,
                        [&](const std::vector<std::string>& row) { return rowKey(row, chars); }))
            hN = tested;
    }
    hN = std::clamp(hN, 0, nextRows);

    const auto baseLabels = base.columnHeaderLabels(hB, " / ");
    const auto nextLabels = next.columnHeaderLabels(hN, " / ");

    const std::vector<int> nextFilled = filledColumns(nextGrid, hN, nextCols);
    std::vector<bool> blankNext(static_cast<size_t>(nextCols), true);
    for (int c : nextFilled)
        blankNext[static_cast<size_t>(c)] = false;

    const auto request = [&](std::string reason) {
        return Result{MappingRequest{baseLabels, nextLabels,
                                     suggest(base, next, baseLabels, nextLabels, options.headerSimilarity, chars),
                                     std::move(reason)}};
    };

    Mapping mapping;
    MappingMethod method = MappingMethod::position;
    if (hB < 1 || hN < 1) {
        if (baseCols == nextCols) {
            for (int k = 0; k < nextCols; ++k)
                mapping.emplace_back(k);
        } else {
            const std::vector<int> baseFilled = filledColumns(baseGrid, hB, baseCols);
            if (nextFilled.empty() || nextFilled.size() != baseFilled.size())
                return request("The captures have " + std::to_string(baseCols) + " and " + std::to_string(nextCols) +
                               " columns and no header to match them by.");
            mapping.assign(static_cast<size_t>(nextCols), std::nullopt);
            for (size_t k = 0; k < nextFilled.size(); ++k)
                mapping[static_cast<size_t>(nextFilled[k])] = baseFilled[k];
            method = MappingMethod::nonEmptyPosition;
        }
    } else {
        auto matched = matchByName(baseLabels, nextLabels, blankNext, options.headerSimilarity, chars);
        if (!matched)
            return request("Column headers of the two captures do not match.");
        mapping = std::move(*matched);
        bool identity = baseCols == nextCols;
        for (size_t k = 0; k < mapping.size() && identity; ++k)
            identity = mapping[k] == static_cast<int>(k);
        method = identity ? MappingMethod::position : MappingMethod::headerNames;
    }
    return assemble(base, hB, next, hN, mapping, method, leftOut(mapping), options, baseGrid, nextGrid, chars);
}

Result stitch(const Table& base, const Table& next, const Mapping& mapping, const Options& options)
{
    Characters chars;
    const int hB = baseHeaderRows(base, options);
    const Grid nextGrid = next.grid();
    const int hN = std::clamp(next.leadingHeaderRows(), 0, static_cast<int>(nextGrid.size()));
    return assemble(base, hB, next, hN, mapping, MappingMethod::manual, {}, options, base.grid(), nextGrid, chars);
}

}  // namespace VozudOzev::StitchTables
