#include "VozudOzev/Repair/CodeColumnSplitter.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace VozudOzev::CodeColumnSplitter {

namespace {

// "A-102", "4.1.2", "SKU123", "17": short, ASCII, with a digit.
bool isCode(const std::string& t)
{
    if (t.empty() || t.size() > 12)
        return false;
    bool digit = false;
    for (char c : t) {
        const bool alnum = Unicode::isAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alnum && c != '.' && c != '-' && c != '/' && c != '_')
            return false;
        digit = digit || Unicode::isAsciiDigit(c);
    }
    return digit;
}

bool startsWithLetter(const std::string& t)
{
    const std::u32string cps = Unicode::decode(t);
    return !cps.empty() && Unicode::isLetter(cps[0]);
}

bool oneLine(const std::vector<OCRWord>& words, double textHeight)
{
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const OCRWord& w : words) {
        lo = std::min(lo, w.bbox.midY());
        hi = std::max(hi, w.bbox.midY());
    }
    return hi - lo <= 0.5 * textHeight;
}

bool isBody(const AssembledCell& c)
{
    return !c.header && c.colSpan == 1 && c.rowSpan == 1;
}

struct Split {
    int col = 0;
    double x = 0;  // the gap's middle
};

std::optional<Split> findSplit(const std::vector<AssembledCell>& cells, const std::vector<std::vector<OCRWord>>& words,
                               int cols, double textHeight)
{
    for (int col = 0; col < cols; ++col) {
        int filled = 0;
        int codes = 0;
        double codeRight = -std::numeric_limits<double>::infinity();
        double textLeft = std::numeric_limits<double>::infinity();
        for (size_t i = 0; i < cells.size(); ++i) {
            const AssembledCell& c = cells[i];
            if (c.col != col || !isBody(c) || c.text.empty())
                continue;
            ++filled;
            const std::vector<OCRWord>& ws = words[i];
            if (ws.size() < 2 || !isCode(ws[0].text) || !startsWithLetter(ws[1].text) || !oneLine(ws, textHeight))
                continue;
            if (ws[1].bbox.x - ws[0].bbox.maxX() <= textHeight)
                continue;
            ++codes;
            codeRight = std::max(codeRight, ws[0].bbox.maxX());
            textLeft = std::min(textLeft, ws[1].bbox.x);
        }
        if (codes < 3 || codes * 5 < filled * 4 || codeRight >= textLeft)
            continue;
        const double x = (codeRight + textLeft) / 2;
        // Every other filled body cell of the column must lie wholly on one side.
        bool clean = true;
        for (size_t i = 0; i < cells.size() && clean; ++i) {
            const AssembledCell& c = cells[i];
            if (c.col != col || !isBody(c) || c.text.empty())
                continue;
            clean = !words[i].empty();  // a text without words lies nowhere known
            for (const OCRWord& w : words[i])
                clean = clean && (w.bbox.maxX() <= x || w.bbox.x >= x);
        }
        if (clean)
            return Split{col, x};
    }
    return std::nullopt;
}

AssembledCell part(const AssembledCell& cell, const std::vector<OCRWord>& words, int col, std::optional<BBox> box)
{
    AssembledCell out = cell;
    out.col = col;
    out.colSpan = 1;
    out.text.clear();
    out.confidence.reset();
    out.textBox.reset();
    out.box = box;
    for (const OCRWord& w : words) {
        if (!out.text.empty())
            out.text += ' ';
        out.text += w.text;
        out.confidence = out.confidence ? std::min(*out.confidence, w.confidence) : w.confidence;
        out.textBox = out.textBox ? out.textBox->unite(w.bbox) : w.bbox;
    }
    return out;
}

}  // namespace

int split(std::vector<AssembledCell>& cells, const std::vector<std::vector<OCRWord>>& words, int cols,
          double textHeight)
{
    if (words.size() != cells.size() || !(textHeight > 0))
        return cols;
    const std::optional<Split> s = findSplit(cells, words, cols, textHeight);
    if (!s)
        return cols;

    std::vector<AssembledCell> out;
    out.reserve(cells.size() * 2);
    for (size_t i = 0; i < cells.size(); ++i) {
        const AssembledCell& c = cells[i];
        if (c.col > s->col) {
            out.push_back(c);
            out.back().col += 1;
            continue;
        }
        if (c.col + c.colSpan - 1 < s->col) {
            out.push_back(c);
            continue;
        }
        if (c.colSpan > 1) {  // spans over the split column: now over both halves
            out.push_back(c);
            out.back().colSpan += 1;
            continue;
        }
        std::optional<BBox> leftBox, rightBox;
        if (c.box && c.box->x < s->x && s->x < c.box->maxX()) {
            leftBox = BBox{c.box->x, c.box->y, s->x - c.box->x, c.box->h};
            rightBox = BBox{s->x, c.box->y, c.box->maxX() - s->x, c.box->h};
        } else {
            leftBox = rightBox = c.box;
        }
        std::vector<OCRWord> left, right;
        for (const OCRWord& w : words[i])
            (w.bbox.midX() < s->x ? left : right).push_back(w);
        if (words[i].empty() && !c.text.empty()) {
            // A header whose text came without words stays whole on the left.
            out.push_back(c);
            out.push_back(part(c, {}, s->col + 1, rightBox));
            continue;
        }
        out.push_back(part(c, left, s->col, leftBox));
        out.push_back(part(c, right, s->col + 1, rightBox));
    }
    cells = std::move(out);
    return cols + 1;
}

}  // namespace VozudOzev::CodeColumnSplitter
