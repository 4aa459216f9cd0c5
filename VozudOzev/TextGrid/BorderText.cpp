#include "VozudOzev/TextGrid/BorderText.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/OCR/TextHeight.hpp"
#include "VozudOzev/TextGrid/InkMask.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev {

namespace {

constexpr std::u32string_view verticals = U"|│┃║¦┆┊╎╏";
constexpr std::u32string_view junctions = U"+┼├┤┌┐└┘┬┴╋┣┫┏┓┗┛┳┻╔╗╚╝╠╣╦╩╬╞╡╪╟╢╫╒╕╘╛╓╖╙╜╤╧╥╨";
constexpr std::u32string_view rules = U"-─━═=_‒–—╌╍┄┅";

bool isRuleChar(char32_t cp)
{
    return rules.find(cp) != std::u32string_view::npos;
}

bool isJunction(char32_t cp)
{
    return junctions.find(cp) != std::u32string_view::npos;
}

// A word that is nothing but border: bars and junctions of any length, rule characters
// only as a run of three or more (a lone dash is a cell's "-").
bool borderWord(const std::u32string& cps)
{
    if (cps.empty())
        return false;
    bool bar = false;
    for (char32_t cp : cps) {
        if (!BorderText::isBorder(cp))
            return false;
        bar = bar || BorderText::isVerticalBorder(cp) || isJunction(cp);
    }
    return bar || cps.size() >= 3;
}

// A drawn rule the OCR took for letters ("eee", "tenner", "SN res"): glyphs far wider than
// tall, which no letters or digits are, over more than a short word of the text (`h`, the
// text height) would cover; specks of faint text read as flat words are shorter.
bool stretched(const OCRWord& w, double h)
{
    const std::u32string cps = Unicode::decode(w.text);
    const size_t n = Unicode::graphemes(w.text).size();
    const bool letters = std::any_of(cps.begin(), cps.end(), [](char32_t c) {
        return Unicode::isLetter(c) || Unicode::isNumber(c);
    });
    return n >= 1 && letters && w.bbox.h > 0 && w.bbox.w / static_cast<double>(n) > 2.2 * w.bbox.h &&
           w.bbox.w >= 3 * w.bbox.h && w.bbox.w >= 2.5 * h;
}

// A line read from a drawn rule ("+----+----+" often comes back as "SR ———.-.-...-:", or
// as stretched letters): mostly rule characters, dots and colons, or mostly stretched words.
bool ruleLine(const OCRLine& line, double h)
{
    double stretchedWidth = 0;
    double textWidth = 0;
    for (const OCRWord& w : line.words) {
        const std::u32string cps = Unicode::decode(w.text);
        if (borderWord(cps))
            continue;
        textWidth += w.bbox.w;
        stretchedWidth += stretched(w, h) ? w.bbox.w : 0;
    }
    if (stretchedWidth > 0 && stretchedWidth >= 0.5 * textWidth)
        return true;

    size_t rule = 0;
    size_t other = 0;
    for (char32_t cp : Unicode::decode(line.text)) {
        if (Unicode::isWhitespace(cp))
            continue;
        if (BorderText::isBorder(cp) || cp == U'.' || cp == U':' || cp == U'·' || cp == U'~')
            ++rule;
        else
            ++other;
    }
    return rule >= 6 && static_cast<double>(rule) >= 0.7 * static_cast<double>(rule + other);
}

}  // namespace

bool BorderText::isVerticalBorder(char32_t cp)
{
    return verticals.find(cp) != std::u32string_view::npos;
}

bool BorderText::isBorder(char32_t cp)
{
    return isVerticalBorder(cp) || isJunction(cp) || isRuleChar(cp);
}

// The OCR may cut one drawn rule into several lines ("tenner", "te ee", "ent"): a line of
// short words centred within the height of a rule line is more of that rule.
bool pieceOfRule(const OCRLine& line, const std::vector<std::pair<double, double>>& rules, double h)
{
    const double cy = line.bbox.y + 0.5 * line.bbox.h;
    const bool within =
        std::any_of(rules.begin(), rules.end(), [&](const auto& r) { return r.first <= cy && cy <= r.second; });
    return within && std::all_of(line.words.begin(), line.words.end(), [&](const OCRWord& w) {
               return stretched(w, h) || borderWord(Unicode::decode(w.text)) || Unicode::graphemes(w.text).size() <= 3;
           });
}

namespace {

// Bars read on two lines or more, one position per column of them.
std::vector<double> barColumnsOf(const std::vector<BorderText::Mark>& marks, double h)
{
    std::vector<double> xs;
    for (const BorderText::Mark& m : marks)
        xs.push_back(m.x);
    std::sort(xs.begin(), xs.end());
    std::vector<double> out;
    for (size_t i = 0, j = 0; i < xs.size(); i = j) {
        double sum = 0;
        for (j = i; j < xs.size() && (j == i || xs[j] - xs[j - 1] <= 0.6 * h); ++j)
            sum += xs[j];
        if (j - i >= 2)
            out.push_back(sum / static_cast<double>(j - i));
    }
    return out;
}

// A bar is also read as one of these ("1]", "51", "}", "I”"). Box tables pad each cell
// with a blank on both sides, so no character of a cell stands on a bar's column.
constexpr std::u32string_view barLookalikes = U"]|[}{Il!1:;'\"”“’‘`¦";

// The words of each line with the bar lookalikes that stand on a column of bars taken out.
void dropBarLookalikes(BorderText& out, double h)
{
    const std::vector<double> columns = barColumnsOf(out.vertical, h);
    if (columns.empty())
        return;
    for (OCRLine& line : out.lines) {
        std::vector<OCRWord> kept;
        bool changed = false;
        for (const OCRWord& w : line.words) {
            const std::u32string cps = Unicode::decode(w.text);
            const double perChar = cps.empty() ? 0 : w.bbox.w / static_cast<double>(cps.size());
            const double near = std::max(0.5 * perChar, 0.35 * h);
            std::u32string text;
            double x0 = 0;
            double x1 = 0;
            auto flush = [&] {
                if (!Unicode::trimmed(Unicode::encode(text)).empty()) {
                    OCRWord piece = w;
                    piece.text = Unicode::encode(text);
                    piece.bbox.x = x0;
                    piece.bbox.w = x1 - x0;
                    kept.push_back(std::move(piece));
                }
                text.clear();
            };
            for (size_t i = 0; i < cps.size(); ++i) {
                const double cx = w.bbox.x + perChar * (static_cast<double>(i) + 0.5);
                const bool onBar = barLookalikes.find(cps[i]) != std::u32string_view::npos &&
                                   std::any_of(columns.begin(), columns.end(),
                                               [&](double c) { return std::abs(c - cx) <= near; });
                if (onBar) {
                    flush();
                    changed = true;
                    continue;
                }
                if (text.empty())
                    x0 = w.bbox.x + perChar * static_cast<double>(i);
                text += cps[i];
                x1 = w.bbox.x + perChar * static_cast<double>(i + 1);
            }
            if (text.size() == cps.size()) {
                kept.push_back(w);
                text.clear();
            } else {
                flush();
            }
        }
        if (!changed)
            continue;
        line.words = std::move(kept);
        rejoinWords(line);
    }
    std::erase_if(out.lines, [](const OCRLine& l) { return l.words.empty(); });
}

}  // namespace

bool BorderText::flatInk(const Image& image, const BBox& box, double h)
{
    if (!(h >= 4) || box.w < 4 * h)
        return false;
    const InkMask mask = InkMask::of(image, box, 0.4);
    if (mask.empty())
        return false;
    std::vector<int> rows(static_cast<size_t>(mask.height));
    int total = 0;
    for (int y = 0; y < mask.height; ++y) {
        rows[static_cast<size_t>(y)] = mask.rowCount(y);
        total += rows[static_cast<size_t>(y)];
    }
    if (total == 0)
        return false;
    const int band = std::max(2, static_cast<int>(std::lround(0.2 * h)));
    int best = 0;
    for (int y = 0; y < mask.height; ++y) {
        int sum = 0;
        for (int k = y; k < std::min(mask.height, y + band); ++k)
            sum += rows[static_cast<size_t>(k)];
        best = std::max(best, sum);
    }
    const int widest = *std::max_element(rows.begin(), rows.end());
    return best >= 0.75 * total && widest >= 0.35 * mask.width;
}

BorderText BorderText::strip(const std::vector<OCRLine>& input)
{
    return strip(input, Image{});
}

BorderText BorderText::strip(const std::vector<OCRLine>& input, const Image& image)
{
    BorderText out;
    const double h = TextHeight::median(input);
    auto drawnRule = [&](const OCRLine& line) {
        return ruleLine(line, h) || (!image.empty() && flatInk(image, line.bbox, h));
    };
    std::vector<std::pair<double, double>> ruleSpans;
    for (const OCRLine& line : input)
        if (drawnRule(line))
            ruleSpans.emplace_back(line.bbox.y, line.bbox.y + line.bbox.h);
    for (const OCRLine& line : input) {
        const double top = line.bbox.y;
        const double bottom = line.bbox.y + line.bbox.h;
        if (drawnRule(line) || pieceOfRule(line, ruleSpans, h)) {
            out.horizontal.push_back(0.5 * (top + bottom));
            continue;
        }
        OCRLine kept = line;
        kept.words.clear();
        bool anyBorder = false;
        bool anyRule = false;  // rule characters or junctions: a drawn horizontal line
        bool anyText = false;
        for (const OCRWord& w : line.words) {
            const std::u32string cps = Unicode::decode(w.text);
            const double perChar = cps.empty() ? 0 : w.bbox.w / static_cast<double>(cps.size());
            if (borderWord(cps)) {
                anyBorder = true;
                bool bar = false;
                for (char32_t cp : cps) {
                    bar = bar || isVerticalBorder(cp) || isJunction(cp);
                    anyRule = anyRule || isRuleChar(cp) || isJunction(cp);
                }
                // A long run of rule characters with junctions is a drawn rule line, not a bar.
                if (bar && cps.size() <= 2)
                    out.vertical.push_back({w.bbox.x + 0.5 * w.bbox.w, top, bottom});
                continue;
            }
            // Cut the word at bars: "|foo", "foo|", "foo|bar".
            size_t start = 0;
            auto flush = [&](size_t end) {
                if (end > start) {
                    OCRWord piece = w;
                    piece.text = Unicode::encode(cps.substr(start, end - start));
                    piece.bbox.x = w.bbox.x + perChar * static_cast<double>(start);
                    piece.bbox.w = perChar * static_cast<double>(end - start);
                    if (!Unicode::trimmed(piece.text).empty()) {
                        kept.words.push_back(std::move(piece));
                        anyText = true;
                    }
                }
            };
            for (size_t i = 0; i < cps.size(); ++i) {
                if (isVerticalBorder(cps[i])) {
                    flush(i);
                    out.vertical.push_back({w.bbox.x + perChar * (static_cast<double>(i) + 0.5), top, bottom});
                    anyBorder = true;
                    start = i + 1;
                }
            }
            flush(cps.size());
        }
        if (!anyText) {
            if (anyRule)
                out.horizontal.push_back(0.5 * (top + bottom));
            continue;
        }
        if (anyBorder) {
            std::string text;
            BBox box = kept.words.front().bbox;
            for (const OCRWord& w : kept.words) {
                if (!text.empty())
                    text += ' ';
                text += w.text;
                box = box.unite(w.bbox);
            }
            kept.text = std::move(text);
            kept.bbox = box;
        }
        out.lines.push_back(std::move(kept));
    }
    dropBarLookalikes(out, h);
    return out;
}

}  // namespace VozudOzev
