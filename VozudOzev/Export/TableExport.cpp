#include "VozudOzev/Export/TableExport.hpp"

#include "VozudOzev/Export/CSV.hpp"
#include "VozudOzev/Unicode.hpp"

#include <algorithm>

namespace VozudOzev::TableExport {

namespace {

// Every character these formats treat specially is ASCII and UTF-8 continuation bytes
// never are, so the texts are processed byte by byte. One pass gives the same result as
// the replacements made one after the other, since no replacement makes a new match.

// CR LF, then LF, CR and tab, each to one blank.
void appendFlat(std::string& out, std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += ' ';
            ++i;
        } else if (c == '\n' || c == '\r' || c == '\t') {
            out += ' ';
        } else {
            out += c;
        }
    }
}

void appendHTMLEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "<br>"; break;
        default: out += c;
        }
    }
}

// A Markdown table line: line ends and tabs to blanks, backslashes doubled, bars escaped.
void appendMarkdownRow(std::string& out, const std::vector<std::string>& texts)
{
    out += "| ";
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += " | ";
        std::string flat;
        appendFlat(flat, texts[i]);
        for (char c : flat) {
            if (c == '\\')
                out += "\\\\";
            else if (c == '|')
                out += "\\|";
            else
                out += c;
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

std::string valid(std::string text)
{
    return Unicode::isValid(text) ? text : Unicode::sanitized(text);
}

}  // namespace

std::string tsv(const Table& table)
{
    const auto grid = table.grid();
    std::string out;
    for (size_t r = 0; r < grid.size(); ++r) {
        if (r > 0)
            out += '\n';
        for (size_t c = 0; c < grid[r].size(); ++c) {
            if (c > 0)
                out += '\t';
            appendFlat(out, grid[r][c]);
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
    std::vector<std::string> texts(anchored.size());
    for (const Cell& cell : table.cells) {
        if (cell.row < 0 || cell.col < 0 || cell.row >= rows || cell.col >= cols)
            continue;
        const size_t at = slot(cell.row, cell.col);
        if (anchored[at]) {
            texts[at] += ' ';
            texts[at] += cell.text;
        } else {
            anchored[at] = &cell;
            texts[at] = cell.text;
        }
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
                appendHTMLEscaped(out, texts[at]);
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
    const auto grid = table.grid();
    std::string out = "\xEF\xBB\xBF";
    for (const auto& row : grid) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += ',';
            out += CSV::escape(row[c]);
        }
        out += "\r\n";
    }
    if (grid.empty())
        out += "\r\n";
    return valid(std::move(out));
}

std::string markdown(const Table& table, int headerRows)
{
    const auto original = table.grid();
    const int rows = static_cast<int>(original.size());
    const int cols = table.cols;
    if (cols <= 0 || rows == 0)
        return {};
    const int h = headerRows < 1 ? 1 : std::min(headerRows, rows);

    // A spanned header names every column it covers. Only slots still empty in the
    // working grid take the text, so with overlapping spans the first cell wins.
    auto grid = original;
    for (const Cell& cell : table.cells) {
        if (cell.row < 0 || cell.row >= h || cell.col < 0 || cell.colSpan <= 1 || cell.col >= cols)
            continue;
        const auto& anchorText = original[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.col)];
        auto& line = grid[static_cast<size_t>(cell.row)];
        const int end = static_cast<int>(std::min<long long>(static_cast<long long>(cell.col) + cell.colSpan, cols));
        for (int c = cell.col; c < end; ++c)
            if (line[static_cast<size_t>(c)].empty())
                line[static_cast<size_t>(c)] = anchorText;
    }

    std::vector<std::string> labels(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        std::string_view last;
        bool any = false;
        std::string& label = labels[static_cast<size_t>(c)];
        for (int r = 0; r < h; ++r) {
            const std::string_view text = trimBlanksAndTabs(grid[static_cast<size_t>(r)][static_cast<size_t>(c)]);
            if (text.empty() || (any && text == last))
                continue;
            if (any)
                label += " / ";
            label += text;
            last = text;
            any = true;
        }
    }

    std::string out;
    appendMarkdownRow(out, labels);
    out += "\n|";
    for (int c = 0; c < cols; ++c)
        out += " --- |";
    out += '\n';
    for (int r = h; r < rows; ++r) {
        appendMarkdownRow(out, original[static_cast<size_t>(r)]);
        out += '\n';
    }
    return valid(std::move(out));
}

}  // namespace VozudOzev::TableExport
