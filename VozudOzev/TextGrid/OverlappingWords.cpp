#include "VozudOzev/TextGrid/OverlappingWords.hpp"

#include <algorithm>
#include <numeric>

namespace VozudOzev::OverlappingWords {

namespace {

double area(const BBox& b)
{
    return std::max(b.w, 0.0) * std::max(b.h, 0.0);
}

double overlapHeight(const BBox& a, const BBox& b)
{
    return std::max(0.0, std::min(a.maxY(), b.maxY()) - std::max(a.y, b.y));
}

double overlap(const BBox& a, const BBox& b)
{
    const double w = std::min(a.maxX(), b.maxX()) - std::max(a.x, b.x);
    return w > 0 ? w * overlapHeight(a, b) : 0;
}

size_t root(std::vector<size_t>& parent, size_t i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

}  // namespace

int rejoin(std::vector<OCRLine>& lines, const Reader& reread)
{
    struct Ref {
        size_t line, word;
    };
    std::vector<Ref> refs;
    for (size_t l = 0; l < lines.size(); ++l)
        for (size_t w = 0; w < lines[l].words.size(); ++w)
            refs.push_back({l, w});
    auto box = [&](const Ref& r) { return lines[r.line].words[r.word].bbox; };
    std::vector<size_t> parent(refs.size());
    std::iota(parent.begin(), parent.end(), 0);
    bool any = false;
    for (size_t i = 0; i < refs.size(); ++i)
        for (size_t j = i + 1; j < refs.size(); ++j) {
            if (refs[i].line == refs[j].line)
                continue;
            const BBox a = box(refs[i]);
            const BBox b = box(refs[j]);
            // Pieces of one word share much of their ink and stand about as tall; neighbouring
            // rows barely touch, and a stray mark is far smaller than the word it touches.
            // Over striped rows the boxes may reach well into the rows beside them, yet rows
            // overlap only at their ends, where pieces share most of their height.
            const double small = std::min(area(a), area(b));
            if (small > 0 && overlap(a, b) >= 0.25 * small && std::min(a.h, b.h) >= 0.5 * std::max(a.h, b.h) &&
                overlapHeight(a, b) >= 0.5 * std::min(a.h, b.h)) {
                parent[root(parent, i)] = root(parent, j);
                any = true;
            }
        }
    if (!any)
        return 0;
    std::vector<std::vector<size_t>> groups(refs.size());
    for (size_t i = 0; i < refs.size(); ++i)
        groups[root(parent, i)].push_back(i);
    std::vector<std::vector<bool>> dropped(lines.size());
    for (size_t l = 0; l < lines.size(); ++l)
        dropped[l].assign(lines[l].words.size(), false);
    std::vector<OCRLine> added;
    int read = 0;
    for (const std::vector<size_t>& group : groups) {
        if (group.size() < 2)
            continue;
        OCRLine line;
        line.bbox = box(refs[group.front()]);
        line.confidence = 1;
        for (size_t i : group) {
            line.bbox = line.bbox.unite(box(refs[i]));
            line.confidence = std::min(line.confidence, lines[refs[i].line].words[refs[i].word].confidence);
        }
        const std::optional<std::string> text = reread(line.bbox);
        ++read;
        if (!text)
            continue;
        line.text = *text;
        line.words.push_back({*text, line.bbox, line.confidence});
        added.push_back(std::move(line));
        for (size_t i : group)
            dropped[refs[i].line][refs[i].word] = true;
    }
    for (size_t l = 0; l < lines.size(); ++l) {
        std::vector<OCRWord> kept;
        for (size_t w = 0; w < lines[l].words.size(); ++w)
            if (!dropped[l][w])
                kept.push_back(lines[l].words[w]);
        if (kept.size() == lines[l].words.size())
            continue;
        lines[l].words = std::move(kept);
        lines[l].text.clear();
        for (const OCRWord& w : lines[l].words) {
            lines[l].bbox = lines[l].text.empty() ? w.bbox : lines[l].bbox.unite(w.bbox);
            lines[l].text += (lines[l].text.empty() ? "" : " ") + w.text;
        }
    }
    std::erase_if(lines, [](const OCRLine& l) { return l.words.empty(); });
    lines.insert(lines.end(), added.begin(), added.end());
    return read;
}

}  // namespace VozudOzev::OverlappingWords
