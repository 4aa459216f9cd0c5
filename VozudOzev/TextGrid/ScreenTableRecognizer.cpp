#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Repair/CropReading.hpp"
#include "VozudOzev/Repair/NumericCheck.hpp"
#include "VozudOzev/TextGrid/BackgroundBands.hpp"
#include "VozudOzev/TextGrid/BarExtent.hpp"
#include "VozudOzev/TextGrid/AttachedColumns.hpp"
#include "VozudOzev/TextGrid/BorderText.hpp"
#include "VozudOzev/TextGrid/CentredSpans.hpp"
#include "VozudOzev/TextGrid/ColumnPlacement.hpp"
#include "VozudOzev/TextGrid/CrossedWords.hpp"
#include "VozudOzev/TextGrid/DashLookalikes.hpp"
#include "VozudOzev/TextGrid/DashWords.hpp"
#include "VozudOzev/TextGrid/DetachedMarks.hpp"
#include "VozudOzev/TextGrid/DottedZeros.hpp"
#include "VozudOzev/TextGrid/EmojiPictures.hpp"
#include "VozudOzev/TextGrid/FaintLines.hpp"
#include "VozudOzev/TextGrid/FootnoteMarks.hpp"
#include "VozudOzev/TextGrid/GluedWords.hpp"
#include "VozudOzev/TextGrid/LoneHeaderColumns.hpp"
#include "VozudOzev/TextGrid/MergedCells.hpp"
#include "VozudOzev/TextGrid/MonospaceColumns.hpp"
#include "VozudOzev/TextGrid/MonospaceGlyphs.hpp"
#include "VozudOzev/TextGrid/MonospaceMarks.hpp"
#include "VozudOzev/TextGrid/MonospaceWords.hpp"
#include "VozudOzev/TextGrid/OverlapColumns.hpp"
#include "VozudOzev/TextGrid/OverlappingWords.hpp"
#include "VozudOzev/TextGrid/RepeatedPictures.hpp"
#include "VozudOzev/TextGrid/RowHeaderColumn.hpp"
#include "VozudOzev/TextGrid/RowSpans.hpp"
#include "VozudOzev/TextGrid/RuleDetector.hpp"
#include "VozudOzev/TextGrid/ScreenChrome.hpp"
#include "VozudOzev/TextGrid/SheetColumnBar.hpp"
#include "VozudOzev/TextGrid/SheetLetterBar.hpp"
#include "VozudOzev/TextGrid/TextGridDocumentRecognizer.hpp"
#include "VozudOzev/TextGrid/SortIndicators.hpp"
#include "VozudOzev/TextGrid/StackedStrokes.hpp"
#include "VozudOzev/TextGrid/TouchingColumns.hpp"
#include "VozudOzev/TextGrid/UnderlinedWords.hpp"
#include "VozudOzev/TextGrid/UnsureWords.hpp"
#include "VozudOzev/TextGrid/UnreadBands.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"
#include "VozudOzev/Model/Median.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <set>

namespace VozudOzev {

namespace {

using Band = TextGridEngine::Band;

// Positions closer than `gap` are one separator, at their mean.
std::vector<double> merged(std::vector<double> positions, double gap)
{
    std::sort(positions.begin(), positions.end());
    std::vector<double> out;
    double sum = 0;
    int count = 0;
    for (size_t i = 0; i < positions.size(); ++i) {
        if (count > 0 && positions[i] - positions[i - 1] > gap) {
            out.push_back(sum / count);
            sum = 0;
            count = 0;
        }
        sum += positions[i];
        ++count;
    }
    if (count > 0)
        out.push_back(sum / count);
    return out;
}

// Bars read on at least two lines, one separator per place.
std::vector<double> barColumns(const std::vector<BorderText::Mark>& marks, double gap)
{
    std::vector<double> xs;
    for (const BorderText::Mark& m : marks)
        xs.push_back(m.x);
    std::sort(xs.begin(), xs.end());
    std::vector<double> out;
    size_t i = 0;
    while (i < xs.size()) {
        size_t j = i + 1;
        while (j < xs.size() && xs[j] - xs[j - 1] <= gap)
            ++j;
        if (j - i >= 2) {
            double sum = 0;
            for (size_t k = i; k < j; ++k)
                sum += xs[k];
            out.push_back(sum / static_cast<double>(j - i));
        }
        i = j;
    }
    return out;
}

// Whether two words of a line as tall as lineHeight stay together over a separator between them.
using KeepTogether = std::function<bool(double x, const OCRWord& left, const OCRWord& right, double lineHeight)>;

// Each line cut where a vertical separator runs between two of its words, so that no
// phrase reaches across a drawn column edge, unless keep says the words stay together.
std::vector<OCRLine> cutAt(const std::vector<OCRLine>& lines, const std::vector<double>& separators,
                           const KeepTogether& keep = {})
{
    std::vector<OCRLine> out;
    for (const OCRLine& line : lines) {
        std::vector<OCRWord> words = line.words;
        std::stable_sort(words.begin(), words.end(),
                         [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
        std::vector<std::vector<OCRWord>> pieces(1);
        for (size_t i = 0; i < words.size(); ++i) {
            if (i > 0) {
                const double from = words[i - 1].bbox.midX();
                const double to = words[i].bbox.midX();
                if (std::any_of(separators.begin(), separators.end(), [&](double s) {
                        return from < s && s < to && !(keep && keep(s, words[i - 1], words[i], line.bbox.h));
                    }))
                    pieces.emplace_back();
            }
            pieces.back().push_back(words[i]);
        }
        for (std::vector<OCRWord>& piece : pieces) {
            if (piece.empty())
                continue;
            OCRLine part;
            part.confidence = line.confidence;
            part.bbox = piece.front().bbox;
            for (const OCRWord& w : piece) {
                if (!part.text.empty())
                    part.text += ' ';
                part.text += w.text;
                part.bbox = part.bbox.unite(w.bbox);
            }
            // The phrase gap rule measures in line heights: keep the original line's.
            part.bbox.y = line.bbox.y;
            part.bbox.h = line.bbox.h;
            part.words = std::move(piece);
            out.push_back(std::move(part));
        }
    }
    return out;
}

// The character pitch when nearly every word is as wide as its letters times one pitch.
std::optional<double> monospacePitch(const std::vector<OCRLine>& lines)
{
    // Words with letters only: tabular digits are as even in proportional fonts.
    std::vector<double> pitches;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words) {
            const std::u32string cps = Unicode::decode(w.text);
            const size_t n = Unicode::graphemes(w.text).size();
            if (n >= 3 && std::any_of(cps.begin(), cps.end(), [](char32_t c) { return Unicode::isLetter(c); }))
                pitches.push_back(w.bbox.w / static_cast<double>(n));
        }
    if (pitches.size() < 8)
        return std::nullopt;
    const double p = upperMedian(pitches);
    if (p <= 0)
        return std::nullopt;
    // Proportional pages with tabular digits come close; terminals are closer still.
    const auto close = std::count_if(pitches.begin(), pitches.end(), [p](double v) { return std::abs(v - p) <= 0.08 * p; });
    if (static_cast<double>(close) < 0.9 * static_cast<double>(pitches.size()))
        return std::nullopt;
    // A small proportional page can pass by chance; its word spaces give it away. In monospace
    // text a blank is a whole character cell; narrower gaps are the reading's splits inside a
    // word, seldom most of a page's.
    int gaps = 0;
    int narrow = 0;
    for (const OCRLine& line : lines) {
        std::vector<BBox> boxes;
        for (const OCRWord& w : line.words)
            boxes.push_back(w.bbox);
        std::sort(boxes.begin(), boxes.end(), [](const BBox& a, const BBox& b) { return a.x < b.x; });
        for (size_t i = 1; i < boxes.size(); ++i) {
            const double g = boxes[i].x - boxes[i - 1].maxX();
            if (g >= 0 && g < 2 * p) {
                ++gaps;
                narrow += g >= 0.45 * p && g < 0.85 * p ? 1 : 0;
            }
        }
    }
    if (narrow >= 4 && 10 * narrow > 6 * gaps)
        return std::nullopt;
    return p;
}

// x of thin vertical lines at least minRun tall between x0 and x1: pixels that differ from
// both neighbours two pixels away while those agree, so that bars, bands and the edges of
// filled areas are not lines.
std::vector<double> thinVerticalLines(const Image& image, double x0, double x1, double minRun)
{
    const int W = image.width;
    const int H = image.height;
    if (W < 5 || H < 1 || image.rgb.size() < static_cast<size_t>(W) * H * 3 || !std::isfinite(x0) ||
        !std::isfinite(x1) || !std::isfinite(minRun))
        return {};
    const std::vector<std::uint8_t> grey = image.grey();
    const int from = std::clamp(static_cast<int>(x0), 2, W - 2);
    const int to = std::clamp(static_cast<int>(x1) + 1, 2, W - 2);
    std::vector<bool> flags(static_cast<size_t>(W), false);
    for (int x = from; x < to; ++x) {
        int run = 0;
        int best = 0;
        int colour = -1;
        for (int y = 0; y < H; ++y) {
            const size_t i = static_cast<size_t>(y) * W + x;
            const int g = grey[i];
            const int left = grey[i - 2];
            const int right = grey[i + 2];
            // Neighbours agree when they differ far less than either differs from the line
            // (a light fill on one side of a dark line still counts).
            const int nearer = std::min(std::abs(g - left), std::abs(g - right));
            const bool line = std::abs(left - right) < std::max(10, nearer / 4) && nearer >= 20;
            // Text drawn close to the line spoils one neighbour: a run goes on where the line
            // keeps its colour and still stands out from one side.
            const bool goesOn = run > 0 && std::abs(g - colour) <= 12 &&
                                std::max(std::abs(g - left), std::abs(g - right)) >= 20;
            run = line || goesOn ? run + 1 : 0;
            colour = line ? g : colour;
            best = std::max(best, run);
        }
        flags[static_cast<size_t>(x)] = best >= minRun;
    }
    RuleDetector thin;
    thin.maxThickness = 2;
    return thin.groups(flags);
}

// Nothing but marks: no letter, digit or symbol a cell would hold.
bool marksOnly(const OCRWord& w)
{
    const std::u32string cps = Unicode::decode(w.text);
    return !cps.empty() && std::all_of(cps.begin(), cps.end(), [](char32_t c) {
        return c == U'\'' || c == U'`' || c == U'|' || c == U',' || c == U'.' || c == U'‘' || c == U'’' || c == U'!' ||
               c == U'¦' || c == U'│';
    });
}

// Whether a line at x runs through a word (marks such as "|" aside). A word read against
// the line takes its ink into the box (a row header's bevel glued to its digit): the line
// must run well inside, a quarter of the text height (h) from either end.
bool crossesWord(const std::vector<OCRLine>& lines, double x, double h)
{
    const double margin = std::max(1.0, 0.25 * h);
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            if (w.bbox.x + margin < x && x < w.bbox.maxX() - margin && !marksOnly(w))
                return true;
    return false;
}

// Sort and filter icons of header sections come back as a lone mark beside a header word
// ("Customer +", "SKU °", "Status >", "¥ Growth"); left in, they glue the headers of two
// columns into one phrase. A sign standing apart from a word is no part of a cell's text,
// nor is a dash taller than the text (a focus mark or caret read as "—" or "_"; a drawn
// dash is flat), nor a thin mark far taller than the text.
std::vector<OCRLine> withoutIcons(std::vector<OCRLine> lines, double h, int& removed)
{
    static const std::u32string icons = U"+°^~÷¢•·˄˅▲▼△▽↑↓⌃⌄▴▾*?=<>$¥";
    static const std::u32string dashes = U"—–_-";
    auto hasLetter = [](const OCRWord& w) {
        const std::u32string cps = Unicode::decode(w.text);
        return std::any_of(cps.begin(), cps.end(), [](char32_t c) { return Unicode::isLetter(c); });
    };
    for (OCRLine& line : lines) {
        std::vector<OCRWord> kept;
        for (const OCRWord& w : line.words) {
            const std::u32string cps = Unicode::decode(w.text);
            const bool icon = cps.size() == 1 && icons.find(cps[0]) != std::u32string::npos && w.bbox.w <= 0.8 * h &&
                              std::any_of(line.words.begin(), line.words.end(), [&](const OCRWord& o) {
                                  const double gap = std::max(o.bbox.x - w.bbox.maxX(), w.bbox.x - o.bbox.maxX());
                                  return &o != &w && hasLetter(o) && gap <= 1.2 * h;
                              });
            // A drawn line read as a mark ("¡" for a frame's edge) is thin and far taller than text.
            const bool streak = cps.size() == 1 && ((dashes.find(cps[0]) != std::u32string::npos &&
                                                     w.bbox.h > 1.4 * h && w.bbox.w <= h) ||
                                                    (!Unicode::isAlphanumeric(cps[0]) && w.bbox.h > 1.6 * h &&
                                                     w.bbox.w <= 0.3 * h));
            if (icon || streak)
                ++removed;
            else
                kept.push_back(w);
        }
        if (kept.size() == line.words.size())
            continue;
        line.words = std::move(kept);
        rejoinWords(line);
    }
    std::erase_if(lines, [](const OCRLine& l) { return l.words.empty(); });
    return lines;
}

using RowIndices = std::vector<std::vector<size_t>>;

// What the phases of a build share: the text, its measure and the separators found.
struct Layout {
    BorderText border;               // the lines with border characters taken out
    BBox extent;                     // all of the text
    double h = 1;                    // the median word height
    RuleDetector::Rules rules;       // ruling lines over the text
    std::vector<double> vertical;    // column separators
    std::vector<double> horizontal;  // row separators
    std::vector<double> bars;        // columns of border bars read in the text
    int partial = 0;                 // shorter column lines among the vertical separators
    bool fullLines = false;          // ruling lines among the vertical separators
    std::vector<TextSegment> segs;   // the phrases to place
    std::vector<double> touching;    // edges between columns that touch (TouchingColumns)
    double minColumnGap = 0;
    std::optional<double> pitch;     // the character pitch of monospace text
    std::vector<BBox> pictures;      // repeated pictures taken out of the text (RepeatedPictures)
    bool sheetFrame = false;         // a column-letter bar's sections or a filled column's edge
};

// Border characters out of the text; they come back as separators.
void stripBorders(Layout& L, const std::vector<OCRLine>& input, const Image& image, std::vector<std::string>& notes)
{
    L.border = BorderText::strip(input, image);
    if (!L.border.vertical.empty() || !L.border.horizontal.empty())
        notes.push_back("border characters: " + std::to_string(L.border.vertical.size()) + " bars and " +
                        std::to_string(L.border.horizontal.size()) + " rule lines taken out of the text");
}

// The text's extent and median word height; false when there is too little text.
bool measureText(Layout& L, std::vector<std::string>& notes)
{
    std::vector<double> heights;
    bool first = true;
    for (const OCRLine& line : L.border.lines)
        for (const OCRWord& w : line.words) {
            heights.push_back(w.bbox.h);
            L.extent = first ? w.bbox : L.extent.unite(w.bbox);
            first = false;
        }
    if (heights.size() < 2) {
        notes.push_back("no text");
        return false;
    }
    // Pictures, icons and window decorations read as text come back with next to no
    // confidence; tables, even small or noisy ones, are read at 0.7 and more.
    std::vector<double> confidences;
    for (const OCRLine& line : L.border.lines)
        for (const OCRWord& w : line.words)
            confidences.push_back(w.confidence);
    if (const double c = upperMedian(confidences); c < 0.4) {
        notes.push_back("no text to build a table of: what was read is mostly noise (median confidence " +
                        std::to_string(static_cast<int>(std::lround(100 * c))) + "%)");
        return false;
    }
    L.h = std::max(upperMedian(heights), 1.0);
    return true;
}

// Emoji read against the emoji font's pictures, icons out of the text, footnote marks
// told by where they stand.
void readPictures(Layout& L, const Image& image, std::vector<std::string>& notes)
{
    const EmojiPictures::Counts n = EmojiPictures::apply(L.border.lines, image, L.h, &EmojiFont::installed);
    if (n.read + n.unread + n.icons > 0)
        notes.push_back("pictures in the text: " + std::to_string(n.read) + " emoji read, " + std::to_string(n.unread) +
                        " emoji no emoji of the font matches (their cells flagged), " + std::to_string(n.icons) +
                        " icons left out");
    L.pictures = RepeatedPictures::remove(L.border.lines, image, L.h);
    if (!L.pictures.empty())
        notes.push_back(std::to_string(L.pictures.size()) + " words read over a picture repeated row under row (read differently " +
                        "each time) left out");
    if (const int marks = FootnoteMarks::apply(L.border.lines, image, L.h); marks > 0)
        notes.push_back(std::to_string(marks) + " footnote marks after words read from where their ink stands");
}

// Widgets draw their grid in a light grey, well below the contrast printed rules have.
void findRulingLines(Layout& L, const Image& image)
{
    RuleDetector detector;
    detector.contrast = 10;
    L.rules = detector.detect(image, L.extent, 0.6);
}

// Without a full grid, shorter lines still part the columns: a widget's header sections,
// a grid drawn only in places. Taller than any letter, and crossing no word.
void addShorterColumnLines(Layout& L, const Image& image)
{
    const double h = L.h;
    auto inner = [&](double x) { return x > L.extent.x + 0.5 * h && x < L.extent.maxX() - 0.5 * h; };
    if (std::any_of(L.vertical.begin(), L.vertical.end(), inner))
        return;
    for (double x : thinVerticalLines(image, L.extent.x, L.extent.maxX(), 1.8 * h)) {
        if (inner(x) && !crossesWord(L.border.lines, x, L.h)) {
            L.vertical.push_back(x);
            ++L.partial;
        }
    }
}

// A line along the edge of a filled area (a spreadsheet's row-number column) joins the fill
// into one thick group for the rule detector; the thin-line test still sees it.
void addFillEdgeLines(Layout& L, const Image& image, std::vector<std::string>& notes)
{
    const double h = L.h;
    int added = 0;
    for (double x : thinVerticalLines(image, L.extent.x, L.extent.maxX(), 0.6 * L.extent.h))
        if (x > L.extent.x + 0.5 * h && x < L.extent.maxX() - 0.5 * h &&
            std::none_of(L.vertical.begin(), L.vertical.end(), [&](double v) { return std::abs(v - x) < 0.5 * h; }) &&
            !crossesWord(L.border.lines, x, L.h)) {
            L.vertical.push_back(x);
            ++added;
        }
    L.sheetFrame = L.sheetFrame || added > 0;
    if (added > 0)
        notes.push_back(std::to_string(added) + " column lines along the edge of a filled area");
}

// Vertical separators: ruling lines over the text, shorter lines, and bars read in two or
// more lines.
void findVerticalSeparators(Layout& L, const Image& image, std::vector<std::string>& notes)
{
    int strokes = 0;
    L.rules.vertical = StackedStrokes::removed(L.rules.vertical, image, L.border.lines, 0.6 * L.extent.h, strokes);
    if (strokes > 0)
        notes.push_back(std::to_string(strokes) + " letter strokes stacked row over row are no column lines");
    for (double x : L.rules.vertical)
        if (x > L.extent.x - L.h && x < L.extent.maxX() + L.h)
            L.vertical.push_back(x);
    if (const std::vector<double> sheet = SheetColumnBar::edges(image, L.border.lines, L.h); !sheet.empty()) {
        L.vertical.insert(L.vertical.end(), sheet.begin(), sheet.end());
        L.sheetFrame = true;
        notes.push_back(std::to_string(sheet.size()) + " column edges from the sheet's column-letter bar");
    }
    L.fullLines = !L.vertical.empty();
    addShorterColumnLines(L, image);
    addFillEdgeLines(L, image, notes);
    L.bars = barColumns(L.border.vertical, 0.6 * L.h);
    L.vertical.insert(L.vertical.end(), L.bars.begin(), L.bars.end());
    L.vertical = merged(L.vertical, 0.5 * L.h);
    if (L.partial > 0)
        notes.push_back(std::to_string(L.partial) + " shorter column lines (header sections, partial grid)");
}

// Horizontal separators: ruling lines, rule lines drawn with characters, background edges.
void findHorizontalSeparators(Layout& L, const Image& image, std::vector<std::string>& notes)
{
    // Light text on a filled bar breaks the fill into runs, and a pixel row between the
    // letters may pass for a ruling line; no ruling line runs through the middle of words.
    auto throughWords = [&](double y) {
        int through = 0;
        for (const OCRLine& line : L.border.lines)
            for (const OCRWord& w : line.words)
                through += w.bbox.y + 0.25 * w.bbox.h < y && y < w.bbox.maxY() - 0.25 * w.bbox.h ? 1 : 0;
        return through >= 2;
    };
    std::erase_if(L.rules.horizontal, throughWords);
    L.horizontal = L.rules.horizontal;
    L.horizontal.insert(L.horizontal.end(), L.border.horizontal.begin(), L.border.horizontal.end());
    // A shaded header's gradient shows no grey of its own behind dense bold labels, and the
    // two shades either side of them differ by an edge's worth: no edge runs through words.
    std::vector<double> edges = BackgroundBands().edges(image, L.extent, L.h, 0.3 * L.h);
    std::erase_if(edges, throughWords);
    L.horizontal.insert(L.horizontal.end(), edges.begin(), edges.end());
    // Rules that stop short: under a group header, or broken where a cell spans rows. Only
    // where rules part the rows at all: on a page without them, the line under a group
    // header would make the rows between it and the next edge read as one.
    if (!L.rules.horizontal.empty()) {
        const std::vector<double> shorter =
            RowSpans::shortRules(image, L.extent, std::max(4 * L.h, 0.2 * L.extent.w));
        L.horizontal.insert(L.horizontal.end(), shorter.begin(), shorter.end());
    }
    L.horizontal = merged(L.horizontal, 0.3 * L.h);
    notes.push_back("separators: " + std::to_string(L.rules.horizontal.size()) + " horizontal and " +
                    std::to_string(L.rules.vertical.size()) + " vertical ruling lines, " +
                    std::to_string(edges.size()) + " background edges, " + std::to_string(L.bars.size()) +
                    " bar columns");
}

// The text without header icons and separator marks, cut at the vertical separators;
// words a word space apart stay together where the grid leaves its line out (a merged cell).
// A ruling line parts only the lines it runs past: the rule between two sub-columns starts
// under their group header, whose words it would run through.
std::vector<OCRLine> cleanedText(const Layout& L, const Image& image, std::vector<std::string>& notes)
{
    int icons = 0;
    std::vector<OCRLine> plain = withoutIcons(L.border.lines, L.h, icons);
    icons += SortIndicators::remove(plain, L.h);
    icons += SortIndicators::removeDrawn(plain, image, L.h);
    const MergedCells grid(image, L.extent);
    if (const int parted = CrossedWords::split(plain, L.vertical, grid, L.h); parted > 0)
        notes.push_back(std::to_string(parted) + " words parted at a column line drawn across them");
    // A line read as a mark ("'", "|") is a separator, not text.
    removeWords(plain, [&](const OCRWord& w) {
        return marksOnly(w) && std::any_of(L.vertical.begin(), L.vertical.end(), [&](double x) {
                   return w.bbox.x - 2 <= x && x <= w.bbox.maxX() + 2;
               });
    });
    if (icons > 0)
        notes.push_back(std::to_string(icons) + " header icons left out of the text");
    if (L.vertical.empty())
        return plain;
    int kept = 0;
    int spanned = 0;
    const auto together = [&](double x, const OCRWord& left, const OCRWord& right, double lineHeight) {
        const bool ruled = std::any_of(L.rules.vertical.begin(), L.rules.vertical.end(),
                                       [&](double r) { return std::abs(r - x) < 0.5 * L.h; });
        // A rule never runs through letters: one that stands inside a word's box stops
        // short of this line.
        const double inside = std::max(2.0, 0.2 * L.h);
        if (ruled && !(x > left.bbox.maxX() - inside && x < right.bbox.x + inside)) {
            ++spanned;
            return true;
        }
        // A word space as the phrases measure it.
        const bool merged = right.bbox.x - left.bbox.maxX() <= 0.6 * std::max(lineHeight, 1.0) &&
                            grid.open(x, left.bbox, right.bbox);
        kept += merged ? 1 : 0;
        return merged;
    };
    std::vector<OCRLine> cut = cutAt(plain, L.vertical, together);
    if (kept > 0)
        notes.push_back(std::to_string(kept) + " phrases kept whole over a column line the grid leaves out there");
    if (spanned > 0)
        notes.push_back(std::to_string(spanned) + " phrases kept whole over a column rule that stops above them");
    return cut;
}

// Lines cut where a right-aligned column touches the left-aligned one after it. Terminals
// part their columns by whole blanks already, and their words are placed one by one; a
// grid of ruling lines draws every column edge there is.
std::vector<OCRLine> cutTouchingColumns(Layout& L, std::vector<OCRLine> lines, std::vector<std::string>& notes)
{
    // A rule with text on both sides parts columns; one at the frame's edge draws none of them.
    const bool innerRule = std::any_of(L.vertical.begin(), L.vertical.end(), [&](double x) {
        bool left = false;
        bool right = false;
        for (const OCRLine& line : lines)
            for (const OCRWord& w : line.words) {
                left = left || w.bbox.maxX() < x;
                right = right || w.bbox.x > x;
            }
        return left && right;
    });
    if (innerRule || monospacePitch(lines))
        return lines;
    L.touching = TouchingColumns::find(lines, L.h);
    if (L.touching.empty())
        return lines;
    notes.push_back(std::to_string(L.touching.size()) +
                    " column edges where aligned columns touch (amounts against the next column's words)");
    return cutAt(lines, L.touching);
}

// Each column that holds a touching-columns edge parted there.
std::vector<Band> partedAtTouchingEdges(const Layout& L, std::vector<Band> columns)
{
    for (double x : L.touching)
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].lo + 0.5 * L.h < x && x < columns[i].hi - 0.5 * L.h) {
                const Band right{x, columns[i].hi};
                columns[i].hi = x;
                columns.insert(columns.begin() + static_cast<std::ptrdiff_t>(i) + 1, right);
                break;
            }
    return columns;
}

// Monospace text (terminals) may part columns by one space, so there every word is placed
// by itself and the shared gaps decide; elsewhere words closer than about two spaces read
// as one phrase.
void segmentText(Layout& L, std::vector<OCRLine> lines, const Image& image, std::vector<std::string>& notes)
{
    L.pitch = monospacePitch(lines);
    if (L.pitch) {
        notes.push_back("monospace text: columns from the gaps between words");
        int underscores = 0;
        lines = MonospaceWords::underscored(lines, image, *L.pitch, underscores);
        if (underscores > 0)
            notes.push_back(std::to_string(underscores) + " words joined again at an underscore the reading left out");
        int parted = 0;
        lines = MonospaceWords::spacedOut(lines, image, *L.pitch, parted);
        if (parted > 0)
            notes.push_back(std::to_string(parted) + " words parted at a blank of a whole character");
        int dashes = 0;
        lines = MonospaceWords::emDashes(lines, *L.pitch, L.h, dashes);
        if (dashes > 0)
            notes.push_back(std::to_string(dashes) + " dashes as wide as a character cell read as em dashes");
        int zeros = 0;
        lines = DottedZeros::read(lines, image, *L.pitch, zeros);
        if (zeros > 0)
            notes.push_back(std::to_string(zeros) + " rings read as 0 or O by whether they hold the dot of the font's zero");
        int marks = 0;
        lines = MonospaceMarks::read(lines, image, *L.pitch, marks);
        if (marks > 0)
            notes.push_back(std::to_string(marks) + " letters read with the dots or bar their glyph shows");
        int agreed = 0;
        lines = MonospaceGlyphs::agreed(lines, image, *L.pitch, agreed);
        if (agreed > 0)
            notes.push_back(std::to_string(agreed) + " characters read as most readings of the same glyph read it");
        int joined = 0;
        lines = MonospaceWords::rejoined(lines, *L.pitch, joined);
        if (joined > 0)
            notes.push_back(std::to_string(joined) + " words parted by less than a character joined again");
    }
    L.segs = TextOCR::segments(lines, L.pitch ? 0.0 : 0.6);
    L.minColumnGap = L.pitch ? 0.8 * *L.pitch : 0.6 * L.h;
}

std::vector<Band> rowBands(const Layout& L)
{
    return TextGridEngine::bandsOf(L.horizontal, L.extent.y - L.h, L.extent.maxY() + L.h);
}

// The band between horizontal separators that holds the phrase's middle, or -1.
int bandOf(const std::vector<Band>& bands, const TextSegment& s)
{
    const double cy = s.bbox.midY();
    for (size_t b = 0; b < bands.size(); ++b)
        if (bands[b].lo <= cy && cy < bands[b].hi)
            return static_cast<int>(b);
    return -1;
}

// Above the first or below the last horizontal separator (or there are none).
bool outsideSeparators(const Layout& L, const std::vector<size_t>& row)
{
    const double cy = L.segs[row.front()].bbox.midY();
    return L.horizontal.empty() || cy < L.horizontal.front() || cy > L.horizontal.back();
}

// The text rows, never reaching across a horizontal separator.
RowIndices textRows(const Layout& L)
{
    const std::vector<Band> bands = rowBands(L);
    RowIndices rows;
    for (const std::vector<size_t>& row : TextGridEngine::clusterRowIndices(L.segs, L.h)) {
        std::map<int, std::vector<size_t>> split;
        for (size_t i : row)
            split[bandOf(bands, L.segs[i])].push_back(i);
        for (auto& [band, part] : split)
            rows.push_back(std::move(part));
    }
    return rows;
}

// The row's segments left to right, when they read as one phrase: apart by no more than a
// word space of their own size, a title's being wider than the table's (column separators
// cut a caption running over them).
std::optional<BBox> phraseOf(const Layout& L, const std::vector<size_t>& row)
{
    std::vector<BBox> boxes;
    for (size_t i : row)
        boxes.push_back(L.segs[i].bbox);
    std::sort(boxes.begin(), boxes.end(), [](const BBox& a, const BBox& b) { return a.x < b.x; });
    BBox joined = boxes.front();
    for (size_t k = 1; k < boxes.size(); ++k) {
        if (boxes[k].x - joined.maxX() > 0.6 * std::max({L.h, joined.h, boxes[k].h}))
            return std::nullopt;
        joined = joined.unite(boxes[k]);
    }
    return joined;
}

// With no row separators, a title is a phrase at the table's left edge running on over the
// start of the second column of the rows under it: no row of the grid.
void dropTitle(const Layout& L, RowIndices& rows, std::vector<std::string>& notes)
{
    size_t top = 0;
    while (top < rows.size() && phraseOf(L, rows[top]))
        ++top;
    const size_t below = static_cast<size_t>(std::count_if(
        rows.begin() + static_cast<std::ptrdiff_t>(top), rows.end(), [](const auto& row) { return row.size() >= 2; }));
    if (top == 0 || top > 2 || top == rows.size() || below < 2)
        return;
    std::vector<double> xs;
    for (size_t i : rows[top])
        xs.push_back(L.segs[i].bbox.x);
    std::sort(xs.begin(), xs.end());
    if (xs.size() < 2)
        return;
    for (size_t r = 0; r < top; ++r) {
        const BBox title = *phraseOf(L, rows[r]);
        if (std::abs(title.x - xs[0]) > 1.5 * L.h || title.maxX() <= xs[1])
            return;
    }
    notes.push_back("title above the table left out: " + std::to_string(top) + " lines");
    rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(top));
}

// Outside the outermost separators nothing encloses a row: a caption above them and notes
// under them are single phrases at the table's left edge, while the rows between them hold
// several.
void dropCaptionAndNotes(const Layout& L, RowIndices& rows, std::vector<std::string>& notes)
{
    if (L.horizontal.size() < 2)
        return dropTitle(L, rows, notes);
    const std::vector<TextSegment>& segs = L.segs;
    double left = std::numeric_limits<double>::infinity();
    int inside = 0;
    // The table's left edge is that of every row of several phrases: a header above the
    // first rule starts where a caption does, while the rows under it may start further in
    // (right-aligned numbers).
    for (const std::vector<size_t>& row : rows)
        if (row.size() >= 2) {
            inside += outsideSeparators(L, row) ? 0 : 1;
            for (size_t i : row)
                left = std::min(left, segs[i].bbox.x);
        }
    auto lone = [&](const std::vector<size_t>& row) {
        return outsideSeparators(L, row) && phraseOf(L, row) && std::abs(phraseOf(L, row)->x - left) <= 1.5 * L.h;
    };
    size_t top = 0;
    while (inside >= 2 && top < rows.size() && lone(rows[top]) &&
           segs[rows[top].front()].bbox.midY() < L.horizontal.front())
        ++top;
    size_t bottom = rows.size();
    while (inside >= 2 && bottom > top && lone(rows[bottom - 1]) &&
           segs[rows[bottom - 1].front()].bbox.midY() > L.horizontal.back())
        --bottom;
    if (top > 0 || bottom < rows.size()) {
        notes.push_back("caption and notes outside the table left out: " + std::to_string(top) + " lines above, " +
                        std::to_string(rows.size() - bottom) + " below");
        rows = RowIndices(rows.begin() + static_cast<std::ptrdiff_t>(top),
                          rows.begin() + static_cast<std::ptrdiff_t>(bottom));
    }
}

// Text rows between the same two separators are one row of multi-line cells, when the
// separators mark rows at all (most bands hold a single text row).
void joinMultiLineRows(const Layout& L, RowIndices& rows, std::vector<std::string>& notes)
{
    if (L.horizontal.size() < 3)
        return;
    const std::vector<Band> bands = rowBands(L);
    std::map<int, int> textRowsPerBand;
    for (const std::vector<size_t>& row : rows)
        ++textRowsPerBand[bandOf(bands, L.segs[row.front()])];
    int single = 0;
    for (const auto& [band, n] : textRowsPerBand)
        single += n == 1 ? 1 : 0;
    if (!(static_cast<double>(single) >= 0.6 * static_cast<double>(textRowsPerBand.size()) &&
          static_cast<double>(textRowsPerBand.size()) >= 0.7 * static_cast<double>(rows.size()) &&
          textRowsPerBand.size() >= 2 && textRowsPerBand.size() < rows.size()))
        return;
    RowIndices joined;
    int lastBand = std::numeric_limits<int>::min();
    for (std::vector<size_t>& row : rows) {
        const int band = outsideSeparators(L, row) ? -1 : bandOf(bands, L.segs[row.front()]);
        if (band == lastBand && band >= 0)
            joined.back().insert(joined.back().end(), row.begin(), row.end());
        else
            joined.push_back(std::move(row));
        lastBand = band;
    }
    if (joined.size() < rows.size())
        notes.push_back("joined " + std::to_string(rows.size() - joined.size()) +
                        " text lines into multi-line cells between separators");
    rows = std::move(joined);
}

std::vector<TextGridEngine::Row> segmentRowsOf(const Layout& L, const RowIndices& rows)
{
    std::vector<TextGridEngine::Row> segmentRows;
    for (const std::vector<size_t>& row : rows) {
        TextGridEngine::Row& r = segmentRows.emplace_back();
        for (size_t i : row)
            r.push_back(L.segs[i]);
    }
    return segmentRows;
}

// The rows with the repeated pictures beside their text, as empty phrases: a column of
// buttons is a column still, with its header over it.
std::vector<TextGridEngine::Row> withPictures(const Layout& L, std::vector<TextGridEngine::Row> rows)
{
    for (const BBox& p : L.pictures)
        for (TextGridEngine::Row& row : rows)
            if (std::any_of(row.begin(), row.end(),
                            [&](const TextSegment& s) { return std::abs(s.bbox.midY() - p.midY()) <= 0.5 * L.h; })) {
                row.push_back(TextSegment{"", p, 0});
                break;
            }
    return rows;
}

// Lines part the columns they stand between; inside each band the gaps the rows share
// part the rest.
std::vector<Band> bandAndGapColumns(const Layout& L, const std::vector<TextGridEngine::Row>& segmentRows)
{
    std::vector<Band> columns;
    for (const Band& band : TextGridEngine::bandsOf(L.vertical, L.extent.x - 1, L.extent.maxX() + 1)) {
        std::vector<TextGridEngine::Row> inside;
        BBox box{band.lo, L.extent.y, band.hi - band.lo, L.extent.h};
        for (const TextGridEngine::Row& row : segmentRows) {
            TextGridEngine::Row& r = inside.emplace_back();
            for (const TextSegment& seg : row)
                if (band.lo <= seg.bbox.midX() && seg.bbox.midX() < band.hi)
                    r.push_back(seg);
        }
        std::erase_if(inside, [](const TextGridEngine::Row& r) { return r.empty(); });
        if (inside.empty())
            continue;
        std::vector<Band> parts = TextGridEngine::columnsFromGaps(inside, box, L.minColumnGap);
        if (parts.size() < 2) {
            columns.push_back(band);
            continue;
        }
        parts.front().lo = band.lo;
        parts.back().hi = band.hi;
        columns.insert(columns.end(), parts.begin(), parts.end());
    }
    return columns;
}

// Neighbouring columns inside one header section joined wherever join(section, a, b) holds.
template <class Join>
int joinedInSections(const Layout& L, std::vector<Band>& columns, const Join& join)
{
    int joined = 0;
    for (const Band& section : TextGridEngine::bandsOf(L.vertical, L.extent.x - 1, L.extent.maxX() + 1))
        for (size_t i = 0; i + 1 < columns.size();) {
            const Band& a = columns[i];
            const Band& b = columns[i + 1];
            if (a.lo >= section.lo - 1 && b.hi <= section.hi + 1 && join(section, a, b)) {
                columns[i].hi = b.hi;
                columns.erase(columns.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                ++joined;
            } else {
                ++i;
            }
        }
    return joined;
}

// Inside a header section, two parts whose labels stand a word space apart hold one
// two-word label the reading parted ("Ghi chú", "Địa điểm") when one of them holds no text
// below the header or a phrase below runs on across them.
std::vector<Band> wordsOfOneLabelJoined(const Layout& L, const std::vector<TextGridEngine::Row>& segmentRows,
                                        std::vector<Band> columns, std::vector<std::string>& notes)
{
    const TextGridEngine::Row& header = segmentRows.front();
    auto bodyIn = [&](const Band& b) {
        return std::any_of(segmentRows.begin() + 1, segmentRows.end(), [&](const TextGridEngine::Row& row) {
            return std::any_of(row.begin(), row.end(),
                               [&](const TextSegment& s) { return b.lo <= s.bbox.midX() && s.bbox.midX() < b.hi; });
        });
    };
    auto crossed = [&](const Band& a, const Band& b) {
        const double edge = 0.5 * (a.hi + b.lo);
        return std::any_of(segmentRows.begin() + 1, segmentRows.end(), [&](const TextGridEngine::Row& row) {
            return std::any_of(row.begin(), row.end(), [&](const TextSegment& s) {
                return s.bbox.x < edge - 0.5 * L.h && s.bbox.maxX() > edge + 0.5 * L.h;
            });
        });
    };
    // The blank between the last label of a and the first of b, when both have one.
    auto labelGap = [&](const Band& a, const Band& b) -> std::optional<double> {
        std::optional<double> left, right;
        for (const TextSegment& s : header) {
            if (a.lo <= s.bbox.midX() && s.bbox.midX() < a.hi)
                left = std::max(left.value_or(s.bbox.maxX()), s.bbox.maxX());
            if (b.lo <= s.bbox.midX() && s.bbox.midX() < b.hi)
                right = std::min(right.value_or(s.bbox.x), s.bbox.x);
        }
        if (!left || !right)
            return std::nullopt;
        return *right - *left;
    };
    const int joined = joinedInSections(L, columns, [&](const Band&, const Band& a, const Band& b) {
        const std::optional<double> gap = labelGap(a, b);
        return gap && *gap < L.h && (!bodyIn(a) || !bodyIn(b) || crossed(a, b));
    });
    if (joined > 0)
        notes.push_back(std::to_string(joined) + " header labels parted at a word space kept whole in their section");
    return columns;
}

// Header-section lines part the columns they stand between; the shared gaps the rest.
// A header section is one column: inside a section with one label, the text under no label
// (a number column right-aligned under a left-aligned "#", currency signs set apart from
// their amounts under a label over both) joins the part beside it.
std::vector<Band> headerSectionColumns(const Layout& L, const std::vector<TextGridEngine::Row>& segmentRows,
                                       std::vector<std::string>& notes)
{
    notes.push_back("columns between " + std::to_string(L.partial) + " header-section lines and from shared gaps");
    std::vector<Band> columns = bandAndGapColumns(L, segmentRows);
    if (segmentRows.empty())
        return columns;
    const TextGridEngine::Row& header = segmentRows.front();
    auto labelsIn = [&](double lo, double hi) {
        return std::count_if(header.begin(), header.end(),
                             [&](const TextSegment& s) { return lo <= s.bbox.midX() && s.bbox.midX() < hi; });
    };
    const int joined = joinedInSections(L, columns, [&](const Band& section, const Band& a, const Band& b) {
        return labelsIn(section.lo, section.hi) == 1 && (labelsIn(a.lo, a.hi) == 0) != (labelsIn(b.lo, b.hi) == 0);
    });
    if (joined > 0)
        notes.push_back(std::to_string(joined) + " parts of a header section under no label of their own joined to the one beside them");
    return wordsOfOneLabelJoined(L, segmentRows, std::move(columns), notes);
}

// The columns between vertical separators that hold text, when there are two or more.
std::vector<Band> separatorColumns(const Layout& L, std::vector<std::string>& notes)
{
    std::vector<Band> columns;
    for (const Band& b : TextGridEngine::bandsOf(L.vertical, L.extent.x - 1, L.extent.maxX() + 1))
        if (std::any_of(L.segs.begin(), L.segs.end(),
                        [&](const TextSegment& s) { return b.lo <= s.bbox.midX() && s.bbox.midX() < b.hi; }))
            columns.push_back(b);
    if (columns.size() < 2)
        return {};
    notes.push_back("columns between " + std::to_string(L.vertical.size()) + " vertical separators");
    return columns;
}

// Columns: between vertical separators when they cut the text into two or more columns,
// else from the gaps the rows share.
std::vector<Band> columnsOf(const Layout& L, const std::vector<TextGridEngine::Row>& segmentRows,
                            std::vector<std::string>& notes)
{
    std::vector<Band> columns;
    if (L.partial > 0 && !L.fullLines && L.bars.empty())
        columns = headerSectionColumns(L, segmentRows, notes);
    else if (!L.vertical.empty())
        columns = separatorColumns(L, notes);
    // Lines that leave at most two bands of text, with rules between few of the rows, are a
    // frame (a table's border, a row header's edge, a header's underline), not a grid: the
    // gaps part the rest.
    const bool rowRules = static_cast<double>(L.rules.horizontal.size()) >= 0.5 * static_cast<double>(segmentRows.size());
    if (!columns.empty() && columns.size() <= 2 && L.bars.empty() && !rowRules) {
        std::vector<Band> parts = bandAndGapColumns(L, segmentRows);
        if (parts.size() > columns.size()) {
            notes.push_back("lines frame the text without parting it: " + std::to_string(parts.size()) +
                            " columns from the shared gaps between them");
            columns = std::move(parts);
        }
    }
    if (columns.empty()) {
        columns = TextGridEngine::columnsFromGaps(segmentRows, L.extent, L.minColumnGap);
        notes.push_back("columns from shared gaps");
        int overlaps = 0;
        columns = OverlapColumns::removed(columns, segmentRows, L.h, overlaps);
        if (overlaps > 0)
            notes.push_back(std::to_string(overlaps) +
                            " columns where only the ends of wider headers overlap taken as the gap they stand in");
        int lone = 0;
        columns = LoneHeaderColumns::joined(columns, segmentRows, L.h, lone);
        if (lone > 0)
            notes.push_back(std::to_string(lone) + " header labels set beside their values joined to the column under no label");
    }
    return columns;
}

struct Placed {
    int row = 0;
    int c0 = 0;
    int c1 = 0;
    TextSegment seg;
};

// One cell of the phrases anchored at one row and column, in reading order.
Cell cellOf(std::pair<int, int> anchor, std::vector<const Placed*>& group, double h)
{
    // Reading order: by line, then left to right. Not a strict weak order, hence by insertion.
    for (size_t i = 1; i < group.size(); ++i)
        for (size_t j = i; j > 0; --j) {
            const TextSegment& a = group[j]->seg;
            const TextSegment& b = group[j - 1]->seg;
            const double dy = a.bbox.midY() - b.bbox.midY();
            if (!(std::abs(dy) > 0.5 * h ? dy < 0 : a.bbox.x < b.bbox.x))
                break;
            std::swap(group[j], group[j - 1]);
        }
    Cell cell;
    cell.row = anchor.first;
    cell.col = anchor.second;
    int c1 = anchor.second;
    double confidence = 1;
    BBox box = group.front()->seg.bbox;
    for (const Placed* p : group) {
        if (!cell.text.empty())
            cell.text += ' ';
        cell.text += p->seg.text;
        c1 = std::max(c1, p->c1);
        confidence = std::min(confidence, p->seg.confidence);
        box = box.unite(p->seg.bbox);
    }
    cell.colSpan = c1 - cell.col + 1;
    cell.confidence = confidence;
    cell.bbox = box;
    return cell;
}

// Each phrase placed in the columns its ends fall in and whose text it stands over;
// phrases sharing a row and first column make one cell. In monospace text a word one
// space from its neighbour goes where the neighbour goes.
Table placeText(const Layout& L, const std::vector<TextGridEngine::Row>& segmentRows, const std::vector<Band>& columns,
                std::vector<std::string>& notes)
{
    std::vector<Placed> placed;
    const std::vector<std::optional<Band>> text = ColumnPlacement::textOf(segmentRows, columns, L.minColumnGap);
    const std::optional<double> phraseGap = L.pitch ? std::optional<double>(1.8 * *L.pitch) : std::nullopt;
    ColumnPlacement::Moves moves;
    for (size_t r = 0; r < segmentRows.size(); ++r) {
        const std::vector<ColumnPlacement::Span> spans =
            ColumnPlacement::spansOf(segmentRows[r], columns, text, L.h, phraseGap, moves);
        for (size_t i = 0; i < spans.size(); ++i)
            placed.push_back({static_cast<int>(r), spans[i].first, spans[i].second, segmentRows[r][i]});
    }
    if (moves.narrowed > 0)
        notes.push_back(std::to_string(moves.narrowed) + " phrases kept to the columns whose text they stand over");
    if (moves.strays > 0)
        notes.push_back(std::to_string(moves.strays) + " words between columns kept with the phrase beside them");
    Table table;
    table.rows = static_cast<int>(segmentRows.size());
    table.cols = static_cast<int>(columns.size());
    table.bbox = L.extent;
    std::map<std::pair<int, int>, std::vector<const Placed*>> groups;
    for (const Placed& p : placed)
        groups[{p.row, p.c0}].push_back(&p);
    for (auto& [anchor, group] : groups)
        table.cells.push_back(cellOf(anchor, group, L.h));
    return table;
}


// Bands of text the page's reading missed, read again by themselves; each band spans the
// whole width, so a word read there stands where the page has it.
void readUnreadBands(const TextOCR& ocr, const Image& image, std::vector<OCRLine>& lines, std::vector<std::string>& notes)
{
    const std::vector<std::pair<int, int>> bands = UnreadBands().find(image, lines);
    int read = 0;
    for (const auto& [y0, y1] : bands) {
        // A little of the page above and below, as a reading expects around a line.
        const int pad = std::max(2, (y1 - y0) / 3);
        const int top = std::max(0, y0 - pad);
        std::vector<OCRLine> again = ocr.recognize(image.cropped(0, top, image.width, std::min(image.height, y1 + pad)));
        for (OCRLine& line : again) {
            line.bbox.y += top;
            for (OCRWord& w : line.words)
                w.bbox.y += top;
            lines.push_back(std::move(line));
            ++read;
        }
    }
    if (read > 0)
        notes.push_back(std::to_string(read) + " lines read again in " + std::to_string(bands.size()) +
                        " bands the page's reading left empty");
}

// Faint lines read again in a band of their own, where the reading thresholds them by
// themselves; the new reading replaces the band's words when it is the surer one.
void readFaintLines(const TextOCR& ocr, const Image& image, std::vector<OCRLine>& lines, std::vector<std::string>& notes)
{
    int replaced = 0;
    const std::vector<std::pair<int, int>> bands = FaintLines().find(image, lines);
    for (const auto& [y0, y1] : bands) {
        auto inBand = [&](const OCRWord& w) { return w.bbox.midY() >= y0 && w.bbox.midY() < y1; };
        std::vector<OCRLine> again = ocr.recognize(image.cropped(0, y0, image.width, y1));
        double before = 0;
        int nBefore = 0;
        for (const OCRLine& line : lines)
            for (const OCRWord& w : line.words)
                if (inBand(w)) {
                    before += w.confidence;
                    ++nBefore;
                }
        double after = 0;
        int nAfter = 0;
        for (OCRLine& line : again) {
            line.bbox.y += y0;
            for (OCRWord& w : line.words) {
                w.bbox.y += y0;
                after += w.confidence;
                ++nAfter;
            }
        }
        if (nAfter == 0 || nBefore == 0 || after / nAfter <= before / nBefore)
            continue;
        removeWords(lines, inBand);
        for (OCRLine& line : again)
            lines.push_back(std::move(line));
        ++replaced;
    }
    if (!bands.empty())
        notes.push_back(std::to_string(bands.size()) + " bands of faint light-grey text read again by themselves, " +
                        std::to_string(replaced) + " of them read surer so");
}

}  // namespace

std::shared_ptr<const DocumentRecognizer> DocumentRecognizer::standard()
{
    static const std::shared_ptr<const DocumentRecognizer> shared =
        std::make_shared<ScreenTableRecognizer>(TextOCR{.languages = {"vi-VT", "en-US"}});
    return shared;
}

std::vector<DocumentObservation> ScreenTableRecognizer::perform(const Image& image) const
{
    if (image.empty())
        return {DocumentObservation{}};
    std::vector<std::string> notes;
    const std::vector<OCRLine> lines = read(ocr_, image, notes);
    std::optional<Table> table = build(lines, image, notes);
    if (table)
        for (std::string& note : NumericCheck::notes(NumericCheck::apply(*table, image, ocr_)))
            notes.push_back(std::move(note));
    DocumentObservation observation = TextGridDocumentRecognizer::observationOf(table, image);
    observation.notes = std::move(notes);
    return {std::move(observation)};
}

namespace {

// One word read by itself, enlarged as the other re-reads are.
std::optional<UnsureWords::Reading> readEnlarged(const TextOCR& ocr, const Image& crop)
{
    const std::optional<Image> big = crop.scaled(3.0);
    if (!big)
        return std::nullopt;
    TextOCR once = ocr;
    once.minimumTextHeight = 0.0f;
    UnsureWords::Reading reading{{}, 1.0};
    for (const OCRLine& line : once.recognize(*big)) {
        reading.text += (reading.text.empty() ? "" : " ") + line.text;
        reading.confidence = std::min(reading.confidence, line.confidence);
    }
    return reading.text.empty() ? std::nullopt : std::optional<UnsureWords::Reading>(reading);
}

}  // namespace

namespace {

// Light text on a dark bar (a header bar, a selected row) is read again inverted, and that
// reading replaces whatever the first one made of the bar.
void readDarkBars(const TextOCR& ocr, const Image& image, std::vector<OCRLine>& lines, std::vector<std::string>& notes)
{
    std::vector<std::pair<int, int>> bars = BackgroundBands().darkBars(image);
    // A header bar and a selection or two; a page striped with many is not read bar by bar.
    if (bars.size() > 6) {
        notes.push_back(std::to_string(bars.size()) + " dark bars: too many to read again");
        bars.clear();
    }
    for (const auto& [y0, y1] : bars) {
        // The bar's own width only: the light page beside it, inverted, reads as ink.
        const auto [x0, x1] = BarExtent::along(image, std::min(y0 + 1, image.height - 1), std::max(3, (y1 - y0) / 2));
        if (x1 - x0 < 8)
            continue;
        Image strip = image.cropped(x0, y0, x1, y1);
        for (std::uint8_t& v : strip.rgb)
            v = static_cast<std::uint8_t>(255 - v);
        std::vector<OCRLine> again = ocr.recognize(strip);
        // Words beside a bar that does not span the page (a selection stopping at a spanned
        // cell) are not in the strip and stay.
        removeWords(lines, [&](const OCRWord& w) {
            return w.bbox.midY() >= y0 && w.bbox.midY() < y1 && w.bbox.midX() >= x0 && w.bbox.midX() < x1;
        });
        for (OCRLine& line : again) {
            line.bbox.x += x0;
            line.bbox.y += y0;
            for (OCRWord& w : line.words) {
                w.bbox.x += x0;
                w.bbox.y += y0;
            }
            lines.push_back(std::move(line));
        }
    }
    if (!bars.empty())
        notes.push_back("light text on " + std::to_string(bars.size()) + " dark bars read again inverted");
}

// The box alone, no margin (the cell's own lines stand a few pixels off), enlarged as the
// other re-reads are; with the lowest line confidence of that reading.
std::optional<UnsureWords::Reading> readAlone(const TextOCR& ocr, const Image& image, const BBox& box)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(box.x)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(box.y)) - 1);
    const int x1 = std::min(image.width, static_cast<int>(std::ceil(box.maxX())) + 1);
    const int y1 = std::min(image.height, static_cast<int>(std::ceil(box.maxY())) + 1);
    if (x1 - x0 < 2 || y1 - y0 < 2)
        return std::nullopt;
    return readEnlarged(ocr, image.cropped(x0, y0, x1, y1));
}

}  // namespace

std::vector<OCRLine> ScreenTableRecognizer::read(const TextOCR& ocr, const Image& image, std::vector<std::string>& notes)
{
    std::vector<OCRLine> lines = ocr.recognize(image);
    readDarkBars(ocr, image, lines, notes);
    readUnreadBands(ocr, image, lines, notes);
    readFaintLines(ocr, image, lines, notes);
    const auto wordAlone = [&](const Image& crop) -> std::optional<std::string> {
        const std::optional<UnsureWords::Reading> r = readEnlarged(ocr, crop);
        return r ? std::optional<std::string>(r->text) : std::nullopt;
    };
    std::vector<double> heights;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            heights.push_back(w.bbox.h);
    const double textHeight = heights.empty() ? 0 : upperMedian(heights);
    if (const int parted = UnderlinedWords::part(lines, image, textHeight, wordAlone); parted > 0)
        notes.push_back(std::to_string(parted) + " underlined words read again without the underline and parted " +
                        "at the blanks that reading found");
    if (const int parted = GluedWords::part(lines, image, textHeight, wordAlone); parted > 0)
        notes.push_back(std::to_string(parted) + " words whose ink shows a word space read again with it widened and " +
                        "parted at the blanks that reading found");
    if (const int letters = SheetLetterBar::reread(lines, image,
                                                   [&](const Image& bar) {
                                                       TextOCR once = ocr;
                                                       once.minimumTextHeight = 0.0f;
                                                       once.characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
                                                       return once.recognize(bar);
                                                   });
        letters > 0)
        notes.push_back(std::to_string(letters) + " column letters read again on the sheet's letter bar");
    if (const int again = OverlappingWords::rejoin(
            lines, [&](const BBox& box) { return CropReading::read(ocr, image, box); });
        again > 0)
        notes.push_back(std::to_string(again) + " words read in overlapping pieces read again whole");
    const auto boxAlone = [&](const BBox& box) -> std::optional<std::string> {
        const std::optional<UnsureWords::Reading> r = readAlone(ocr, image, box);
        return r ? std::optional<std::string>(r->text) : std::nullopt;
    };
    if (const int words = DashWords::reread(lines, textHeight, boxAlone); words > 0)
        notes.push_back(std::to_string(words) + " runs of dashes as tall as the text read again as the words they are");
    if (const int unsure = UnsureWords::reread(lines, textHeight,
                                               [&](const BBox& box) { return readAlone(ocr, image, box); });
        unsure > 0)
        notes.push_back(std::to_string(unsure) + " unsure words in boxes taller than the text read again alone, surer");
    return lines;
}

std::vector<std::string> ScreenTableRecognizer::supportedLanguages() const
{
    return TextGridDocumentRecognizer(ocr_).supportedLanguages();
}

std::optional<Table> ScreenTableRecognizer::build(const std::vector<OCRLine>& input, const Image& image,
                                                  std::vector<std::string>& notes)
{
    Layout L;
    stripBorders(L, input, image, notes);
    if (const int marks = DetachedMarks::remove(L.border.lines); marks > 0)
        notes.push_back(std::to_string(marks) + " accents read apart from their words left out");
    if (!measureText(L, notes))
        return std::nullopt;
    readPictures(L, image, notes);
    findRulingLines(L, image);
    findVerticalSeparators(L, image, notes);
    findHorizontalSeparators(L, image, notes);
    if (const int rowHeader = RowHeaderColumn::remove(L.border.lines, L.vertical, L.horizontal, L.h); rowHeader > 0)
        notes.push_back(std::to_string(rowHeader) + " words of the row header beside the grid left out");
    segmentText(L, cutTouchingColumns(L, cleanedText(L, image, notes), notes), image, notes);

    RowIndices rows = textRows(L);
    dropCaptionAndNotes(L, rows, notes);
    joinMultiLineRows(L, rows, notes);
    const std::vector<TextGridEngine::Row> segmentRows = segmentRowsOf(L, rows);

    std::vector<Band> columns = partedAtTouchingEdges(L, columnsOf(L, withPictures(L, segmentRows), notes));
    if (L.pitch && L.vertical.empty()) {
        int joined = 0;
        columns = MonospaceColumns::joinCrossed(columns, segmentRows, image, *L.pitch, joined);
        if (joined > 0)
            notes.push_back(std::to_string(joined) + " column edges a word runs over (word spaces seen in few rows) removed");
    }
    if (columns.size() < 2 || rows.size() < 2) {
        notes.push_back("no table: " + std::to_string(rows.size()) + " rows, " + std::to_string(columns.size()) +
                        " columns");
        return std::nullopt;
    }

    Table table = placeText(L, segmentRows, columns, notes);
    if (const int spanned = RowSpans::apply(table, columns, L.horizontal, image, L.h, !L.rules.vertical.empty());
        spanned > 0)
        notes.push_back(std::to_string(spanned) + " cells span the rows their column's rule leaves open");
    if (const int centred = CentredSpans::apply(table); centred > 0)
        notes.push_back(std::to_string(centred) + " cells centred between rows span the rows around them");
    if (L.pitch)
        if (const int joined = AttachedColumns::join(table, 1.8 * *L.pitch); joined > 0)
            notes.push_back(std::to_string(joined) + " columns that only trail the one before them joined to it");
    ScreenChrome::remove(table, notes, L.sheetFrame);
    if (table.rows < 2 || table.cols < 1) {
        notes.push_back("no table once the screen chrome is out");
        return std::nullopt;
    }
    if (const int dashes = DashLookalikes::restore(table, image, L.h); dashes > 0)
        notes.push_back(std::to_string(dashes) + " dashes read as \"_\" or \"=\" given back as the dash their ink shows");
    notes.push_back("table of " + std::to_string(table.rows) + " rows and " + std::to_string(table.cols) + " columns");
    return table;
}

}  // namespace VozudOzev
