#include "VozudOzev/Export/TableExport.hpp"

#include "VozudOzev/Export/CSV.hpp"
#include "VozudOzev/Export/SlotTexts.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <unordered_map>

namespace VozudOzev::TableExport {

namespace {

// Every character these formats treat specially is ASCII and UTF-8 continuation bytes
// never are, so the texts are processed byte by byte. One pass gives the same result as
// the replacements made one after the other, since no replacement makes a new match.

// CR LF, then LF, CR and tab, each to one blank.
void appendFlat(std::string& out, std::string_view text)
{
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n' && c != '\t')
            continue;
        out.append(text, start, i - start);
        out += ' ';
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    out.append(text, start);
}

void appendHTMLEscaped(std::string& out, std::string_view text)
{
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        std::string_view replacement;
        switch (text[i]) {
        case '&': replacement = "&amp;"; break;
        case '<': replacement = "&lt;"; break;
        case '>': replacement = "&gt;"; break;
        case '"': replacement = "&quot;"; break;
        case '\n': replacement = "<br>"; break;
        default: continue;
        }
        out.append(text, start, i - start);
        out += replacement;
        start = i + 1;
    }
    out.append(text, start);
}

// A Markdown table line: line ends and tabs to blanks, backslashes doubled, bars escaped.
template <class TextAt>
void appendMarkdownRow(std::string& out, int cols, TextAt textAt)
{
    out += "| ";
    for (int i = 0; i < cols; ++i) {
        if (i > 0)
            out += " | ";
        const std::string_view text = textAt(i);
        for (size_t k = 0; k < text.size(); ++k) {
            switch (const char c = text[k]) {
            case '\\': out += "\\\\"; break;
            case '|': out += "\\|"; break;
            case '\r':
                if (k + 1 < text.size() && text[k + 1] == '\n')
                    ++k;
                out += ' ';
                break;
            case '\n':
            case '\t': out += ' '; break;
            default: out += c;
            }
        }
    }
    out += " |";
}

std::string_view trimBlanksAndTabs(std::string_view s)
{
    const size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

// Room for every cell text plus a few bytes of markup per slot, so the output is not
// copied over and over while it grows.
size_t estimatedSize(const Table& table, size_t perSlot)
{
    size_t bytes = 0;
    for (const Cell& cell : table.cells)
        bytes += cell.text.size();
    return bytes + bytes / 8 + static_cast<size_t>(std::max(table.rows, 0)) * static_cast<size_t>(std::max(table.cols, 0)) * perSlot + 64;
}

std::string valid(std::string text)
{
    if (Unicode::isValid(text))
        return text;
    return Unicode::sanitized(text);
}

}  // namespace

std::string tsv(const Table& table)
{
    const SlotTexts grid(table);
    std::string out;
    out.reserve(estimatedSize(table, 1));
    for (int r = 0; r < grid.rows(); ++r) {
        if (r > 0)
            out += '\n';
        for (int c = 0; c < grid.cols(); ++c) {
            if (c > 0)
                out += '\t';
            appendFlat(out, grid.text(r, c));
        }
    }
    return valid(std::move(out));
}

std::string html(const Table& table, int headerRows)
{
    const int rows = std::max(table.rows, 0);
    const int cols = std::max(table.cols, 0);
    const auto slot = [cols](int r, int c) { return static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c); };

    // The first cell on a slot keeps its spans; later ones only add their text.
    std::vector<const Cell*> anchored(static_cast<size_t>(rows) * static_cast<size_t>(cols), nullptr);
    std::unordered_map<size_t, std::string> joined;  // slots holding more than one cell
    for (const Cell& cell : table.cells) {
        if (cell.row < 0 || cell.col < 0 || cell.row >= rows || cell.col >= cols)
            continue;
        const size_t at = slot(cell.row, cell.col);
        if (!anchored[at]) {
            anchored[at] = &cell;
            continue;
        }
        auto [it, added] = joined.try_emplace(at, anchored[at]->text);
        it->second += ' ';
        it->second += cell.text;
    }

    // A cell anchored inside another's span is left out, but its own span still covers.
    std::vector<bool> covered(anchored.size(), false);
    for (const Cell* cell : anchored) {
        if (!cell)
            continue;
        const int rowEnd = static_cast<int>(std::min<long long>(static_cast<long long>(cell->row) + std::max(cell->rowSpan, 1), rows));
        const int colEnd = static_cast<int>(std::min<long long>(static_cast<long long>(cell->col) + std::max(cell->colSpan, 1), cols));
        for (int r = cell->row; r < rowEnd; ++r)
            for (int c = cell->col; c < colEnd; ++c)
                if (r != cell->row || c != cell->col)
                    covered[slot(r, c)] = true;
    }

    std::string out = "<meta charset=\"utf-8\"><table>";
    out.reserve(estimatedSize(table, 11));
    for (int r = 0; r < rows; ++r) {
        out += "<tr>";
        const char* tag = r < headerRows ? "th" : "td";
        for (int c = 0; c < cols; ++c) {
            const size_t at = slot(r, c);
            if (covered[at])
                continue;
            out += '<';
            out += tag;
            if (const Cell* cell = anchored[at]) {
                const int rowSpan = std::min(rows - r, std::max(cell->rowSpan, 1));
                const int colSpan = std::min(cols - c, std::max(cell->colSpan, 1));
                if (rowSpan >= 2)
                    out += " rowspan=\"" + std::to_string(rowSpan) + "\"";
                if (colSpan >= 2)
                    out += " colspan=\"" + std::to_string(colSpan) + "\"";
                out += '>';
                const auto it = joined.find(at);
                appendHTMLEscaped(out, it == joined.end() ? std::string_view(cell->text) : std::string_view(it->second));
            } else {
                out += '>';
            }
            out += "</";
            out += tag;
            out += '>';
        }
        out += "</tr>";
    }
    out += "</table>";
    return valid(std::move(out));
}

std::string csvFileData(const Table& table)
{
    const SlotTexts grid(table);
    std::string out = "\xEF\xBB\xBF";
    out.reserve(estimatedSize(table, 3));
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c) {
            if (c > 0)
                out += ',';
            CSV::appendEscaped(out, grid.text(r, c));
        }
        out += "\r\n";
    }
    if (grid.rows() == 0)
        out += "\r\n";
    return valid(std::move(out));
}

std::string markdown(const Table& table, int headerRows)
{
    // Texts are read in place from the one slot grid: two grids of strings (the grid and a
    // copy with the header spans filled in) cost 1.3 GB and 27 s on a 4096 x 4096 table.
    const SlotTexts grid(table);
    const int rows = grid.rows();
    const int cols = grid.cols();
    if (cols <= 0 || rows == 0)
        return {};
    const int h = headerRows < 1 ? 1 : std::min(headerRows, rows);

    // A spanned header names every column it covers. Only slots still empty take the text,
    // so with overlapping spans the first cell wins. One header row at a time.
    std::vector<const Cell*> spanning;
    for (const Cell& cell : table.cells)
        if (cell.row >= 0 && cell.row < h && cell.col >= 0 && cell.col < cols && cell.colSpan > 1)
            spanning.push_back(&cell);
    std::stable_sort(spanning.begin(), spanning.end(), [](const Cell* a, const Cell* b) { return a->row < b->row; });

    std::vector<std::string> labels(static_cast<size_t>(cols));
    std::vector<std::string_view> last(static_cast<size_t>(cols));  // the text kept last, per column
    std::vector<std::string_view> line(static_cast<size_t>(cols));
    auto next = spanning.begin();
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < cols; ++c)
            line[static_cast<size_t>(c)] = grid.text(r, c);
        for (; next != spanning.end() && (*next)->row == r; ++next) {
            const Cell& cell = **next;
            const std::string_view anchorText = grid.text(r, cell.col);
            const int end = static_cast<int>(std::min<long long>(static_cast<long long>(cell.col) + cell.colSpan, cols));
            for (int c = cell.col; c < end; ++c)
                if (line[static_cast<size_t>(c)].empty())
                    line[static_cast<size_t>(c)] = anchorText;
        }
        for (size_t c = 0; c < labels.size(); ++c) {
            const std::string_view text = trimBlanksAndTabs(line[c]);
            if (text.empty() || (!labels[c].empty() && text == last[c]))
                continue;
            if (!labels[c].empty())
                labels[c] += " / ";
            labels[c] += text;
            last[c] = text;
        }
    }

    std::string out;
    out.reserve(estimatedSize(table, 4));
    appendMarkdownRow(out, cols, [&](int c) { return std::string_view(labels[static_cast<size_t>(c)]); });
    out += "\n|";
    for (int c = 0; c < cols; ++c)
        out += " --- |";
    out += '\n';
    for (int r = h; r < rows; ++r) {
        appendMarkdownRow(out, cols, [&](int c) { return grid.text(r, c); });
        out += '\n';
    }
    return valid(std::move(out));
}

}  // namespace VozudOzev::TableExport
