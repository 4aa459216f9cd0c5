#include "VozudOzev/TextGrid/BorderText.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>

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

// A line read from a drawn rule ("+----+----+" often comes back as "SR ———.-.-...-:"):
// mostly rule characters, dots and colons.
bool ruleLine(const OCRLine& line)
{
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

BorderText BorderText::strip(const std::vector<OCRLine>& input)
{
    BorderText out;
    for (const OCRLine& line : input) {
        const double top = line.bbox.y;
        const double bottom = line.bbox.y + line.bbox.h;
        if (ruleLine(line)) {
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
    return out;
}

}  // namespace VozudOzev
