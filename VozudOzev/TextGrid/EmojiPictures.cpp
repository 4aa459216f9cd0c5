#include "VozudOzev/TextGrid/EmojiPictures.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>

namespace VozudOzev {

namespace {

using RGB = std::array<int, 3>;

int difference(const std::uint8_t* p, const RGB& bg)
{
    return std::abs(p[0] - bg[0]) + std::abs(p[1] - bg[1]) + std::abs(p[2] - bg[2]);
}

// Ink differs clearly from the page; anti-aliased edges stay out.
constexpr int inkDifference = 80;
// Coloured: channels far apart (grey and black text are not).
constexpr int colourSpread = 60;
// Mean colour difference under which a thumbnail is the emoji shown.
constexpr double matchDistance = 28;

// The commonest colour of the area, in steps of 8.
RGB backgroundOf(const Image& image, int x0, int y0, int x1, int y1)
{
    std::map<int, int> counts;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = image.pixel(x, y);
            ++counts[(p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3)];
        }
    const auto best = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    const int k = best->first;
    return {((k >> 10) & 31) * 8 + 4, ((k >> 5) & 31) * 8 + 4, (k & 31) * 8 + 4};
}

struct Blob {
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // inclusive
    int ink = 0;
    int coloured = 0;
};

// Runs of columns with ink in the band, each with the rows its ink reaches; rows a rule
// crosses hold no ink.
std::vector<Blob> blobsOf(const Image& image, int x0, int y0, int x1, int y1, const RGB& bg)
{
    const int w = x1 - x0;
    const int hgt = y1 - y0;
    std::vector<std::uint8_t> ink(static_cast<size_t>(w) * hgt, 0);
    for (int y = y0; y < y1; ++y) {
        int count = 0;
        for (int x = x0; x < x1; ++x) {
            const bool on = difference(image.pixel(x, y), bg) > inkDifference;
            ink[static_cast<size_t>(y - y0) * w + (x - x0)] = on ? 1 : 0;
            count += on ? 1 : 0;
        }
        if (count > w / 2)
            std::fill_n(ink.begin() + static_cast<std::ptrdiff_t>(y - y0) * w, w, 0);
    }
    std::vector<Blob> blobs;
    Blob cur;
    bool open = false;
    for (int x = 0; x <= w; ++x) {
        int top = hgt, bottom = -1, n = 0, coloured = 0;
        if (x < w)
            for (int y = 0; y < hgt; ++y)
                if (ink[static_cast<size_t>(y) * w + x]) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    ++n;
                    const std::uint8_t* p = image.pixel(x0 + x, y0 + y);
                    coloured += std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) >= colourSpread ? 1 : 0;
                }
        if (n > 0) {
            if (!open)
                cur = Blob{x0 + x, x0 + x, y0 + top, y0 + bottom, 0, 0};
            cur.x1 = x0 + x;
            cur.y0 = std::min(cur.y0, y0 + top);
            cur.y1 = std::max(cur.y1, y0 + bottom);
            cur.ink += n;
            cur.coloured += coloured;
            open = true;
        } else if (open) {
            blobs.push_back(cur);
            open = false;
        }
    }
    return blobs;
}

// How the blob's ink is coloured: the share of it off the blend between the page and its
// strongest colour (text, even coloured and smoothed, is one colour faded into the page),
// and the share of the middle half that is ink (letters have holes and gaps there).
struct Tones {
    double several = 0;
    double core = 0;
};

Tones tonesOf(const Image& image, const Blob& b, const RGB& bg)
{
    std::array<double, 3> strongest{0, 0, 0};
    int most = -1;
    for (int y = b.y0; y <= b.y1; ++y)
        for (int x = b.x0; x <= b.x1; ++x)
            if (const int d = difference(image.pixel(x, y), bg); d > most) {
                most = d;
                const std::uint8_t* p = image.pixel(x, y);
                strongest = {p[0] - double(bg[0]), p[1] - double(bg[1]), p[2] - double(bg[2])};
            }
    const double dd = strongest[0] * strongest[0] + strongest[1] * strongest[1] + strongest[2] * strongest[2];
    int ink = 0, off = 0, core = 0, coreArea = 0;
    const int w = b.x1 - b.x0 + 1;
    const int hgt = b.y1 - b.y0 + 1;
    for (int y = b.y0; y <= b.y1; ++y)
        for (int x = b.x0; x <= b.x1; ++x) {
            const std::uint8_t* p = image.pixel(x, y);
            const bool on = difference(p, bg) > inkDifference;
            const bool middle = 4 * (x - b.x0) >= w && 4 * (x - b.x0) < 3 * w && 4 * (y - b.y0) >= hgt &&
                                4 * (y - b.y0) < 3 * hgt;
            coreArea += middle ? 1 : 0;
            core += middle && on ? 1 : 0;
            if (!on || dd <= 0)
                continue;
            ++ink;
            const std::array<double, 3> v{p[0] - double(bg[0]), p[1] - double(bg[1]), p[2] - double(bg[2])};
            const double t = std::clamp((v[0] * strongest[0] + v[1] * strongest[1] + v[2] * strongest[2]) / dd, 0.0, 1.0);
            const double r0 = v[0] - t * strongest[0], r1 = v[1] - t * strongest[1], r2 = v[2] - t * strongest[2];
            off += r0 * r0 + r1 * r1 + r2 * r2 > 60.0 * 60.0 ? 1 : 0;
        }
    return {ink > 0 ? double(off) / ink : 0, coreArea > 0 ? double(core) / coreArea : 0};
}

// The page's pixels of the box as a thumbnail, in the emoji font's cells.
std::vector<float> thumbnailOfPage(const Image& image, const Blob& b)
{
    const int w = b.x1 - b.x0 + 1;
    const int hgt = b.y1 - b.y0 + 1;
    std::vector<std::uint8_t> bgra(static_cast<size_t>(w) * hgt * 4);
    for (int y = 0; y < hgt; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = image.pixel(b.x0 + x, b.y0 + y);
            std::uint8_t* q = &bgra[(static_cast<size_t>(y) * w + x) * 4];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
            q[3] = 255;
        }
    const std::optional<EmojiFont::Glyph> g = EmojiFont::thumbnailOf("", bgra.data(), w, hgt, 4 * w);
    return g ? g->colour : std::vector<float>{};
}

// The emoji whose thumbnail, laid over the page's colour, comes nearest the page's.
std::pair<const EmojiFont::Glyph*, double> nearest(const EmojiFont& font, const std::vector<float>& page,
                                                    double aspect, const RGB& bg)
{
    const EmojiFont::Glyph* best = nullptr;
    double bestDistance = std::numeric_limits<double>::infinity();
    const size_t cells = static_cast<size_t>(EmojiFont::side) * EmojiFont::side;
    for (const EmojiFont::Glyph& g : font.glyphs) {
        if (std::abs(std::log(g.aspect / aspect)) > 0.3 || g.colour.size() != 3 * cells || g.alpha.size() != cells)
            continue;
        double sum = 0;
        for (size_t i = 0; i < cells; ++i)
            for (size_t c = 0; c < 3; ++c)
                sum += std::abs(g.colour[3 * i + c] + (1.0f - g.alpha[i]) * static_cast<float>(bg[c]) - page[3 * i + c]);
        const double d = sum / (3.0 * static_cast<double>(cells));
        if (d < bestDistance) {
            bestDistance = d;
            best = &g;
        }
    }
    return {best, bestDistance};
}

double overlap(double a0, double a1, double b0, double b1)
{
    return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

}  // namespace

std::vector<EmojiPictures::Picture> EmojiPictures::find(const std::vector<OCRLine>& lines, const Image& image,
                                                        double h, const FontSource& font)
{
    std::vector<Picture> pictures;
    if (image.empty() || !(h >= 4) || !std::isfinite(h))
        return pictures;
    std::shared_ptr<const EmojiFont> glyphs;
    bool asked = false;
    for (const OCRLine& line : lines) {
        const int x0 = std::clamp(static_cast<int>(line.bbox.x - 3 * h), 0, image.width);
        const int x1 = std::clamp(static_cast<int>(line.bbox.maxX() + 3 * h), 0, image.width);
        // Room for an emoji half as tall again as the text, whatever the line's own height.
        const int y0 = std::clamp(static_cast<int>(line.bbox.midY() - 1.1 * h), 0, image.height);
        const int y1 = std::clamp(static_cast<int>(line.bbox.midY() + 1.1 * h), 0, image.height);
        if (x1 - x0 < 4 || y1 - y0 < 4)
            continue;
        const RGB bg = backgroundOf(image, x0, y0, x1, y1);
        for (const Blob& b : blobsOf(image, x0, y0, x1, y1, bg)) {
            const int w = b.x1 - b.x0 + 1;
            const int hgt = b.y1 - b.y0 + 1;
            const double aspect = static_cast<double>(w) / hgt;
            // About square and not cut by the band's ends; then either several colours (a
            // picture) or one solid colour (a dot, a badge). Letters, even coloured, are one
            // colour with holes.
            // About square, with colour in it, and inside the band: a filled cell or bar
            // reaches past the line's text.
            if (b.x0 == x0 || b.x1 == x1 - 1 || b.y0 == y0 || b.y1 == y1 - 1 || hgt < 0.5 * h || aspect < 0.6 || aspect > 1.7 ||
                b.coloured < 0.15 * b.ink)
                continue;
            const Tones tones = tonesOf(image, b, bg);
            // A picture has several colours or is one solid colour (a dot, a badge); letters,
            // even coloured, are one colour with holes.
            const bool solid = b.ink >= 0.7 * w * hgt && tones.core >= 0.9 && b.coloured >= 0.3 * b.ink;
            const bool picturelike = (tones.several >= 0.15 && b.ink >= 0.4 * w * hgt) || solid;
            // An emoji is drawn larger than the words around it; icons stay smaller. Anything
            // that large is compared with the emoji font's pictures.
            const bool emojiSized = std::max(w, hgt) >= 1.15 * h;
            if (!picturelike && !emojiSized)
                continue;
            const BBox box{static_cast<double>(b.x0), static_cast<double>(b.y0), static_cast<double>(w),
                           static_cast<double>(hgt)};
            if (std::any_of(pictures.begin(), pictures.end(), [&](const Picture& p) {
                    return overlap(p.box.x, p.box.maxX(), box.x, box.maxX()) > 0.5 * w &&
                           overlap(p.box.y, p.box.maxY(), box.y, box.maxY()) > 0.5 * hgt;
                }))
                continue;
            Picture picture;
            picture.box = box;
            picture.emojiSized = emojiSized;
            if (emojiSized) {
                if (!asked) {
                    glyphs = font ? font() : nullptr;
                    asked = true;
                }
                picture.distance = std::numeric_limits<double>::infinity();
                if (glyphs) {
                    const auto [g, d] = nearest(*glyphs, thumbnailOfPage(image, b), aspect, bg);
                    picture.distance = d;
                    if (g != nullptr && d <= matchDistance)
                        picture.text = g->text;
                }
                // Like no emoji and in one colour: a letter. Like no emoji and sparse: an
                // icon (sort arrows, outlines), no text either.
                if (picture.text.empty() && !picturelike)
                    continue;
                if (picture.text.empty() && b.ink < 0.5 * w * hgt)
                    picture.emojiSized = false;
            }
            pictures.push_back(std::move(picture));
        }
    }
    return pictures;
}

EmojiPictures::Counts EmojiPictures::apply(std::vector<OCRLine>& lines, const Image& image, double h,
                                           const FontSource& font)
{
    Counts counts;
    const std::vector<Picture> pictures = find(lines, image, h, font);
    if (pictures.empty())
        return counts;
    for (const Picture& p : pictures)
        (p.text.empty() ? (p.emojiSized ? counts.unread : counts.icons) : counts.read) += 1;
    // Each picture belongs to the nearest line beside it.
    std::vector<int> owner(pictures.size(), -1);
    for (size_t k = 0; k < pictures.size(); ++k) {
        const BBox& pb = pictures[k].box;
        double best = 1.5 * h;
        for (size_t i = 0; i < lines.size(); ++i) {
            const BBox& lb = lines[i].bbox;
            if (overlap(lb.y, lb.maxY(), pb.y, pb.maxY()) <= 0.3 * std::min(lb.h, pb.h))
                continue;
            const double apart = std::max({0.0, lb.x - pb.maxX(), pb.x - lb.maxX()});
            if (apart <= best) {
                best = apart;
                owner[k] = static_cast<int>(i);
            }
        }
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        OCRLine& line = lines[i];
        // A word read over pictures is the pictures misread.
        std::erase_if(line.words, [&](const OCRWord& w) {
            double covered = 0;
            for (const Picture& p : pictures)
                if (overlap(w.bbox.y, w.bbox.maxY(), p.box.y, p.box.maxY()) > 0.3 * std::min(w.bbox.h, p.box.h))
                    covered += overlap(w.bbox.x, w.bbox.maxX(), p.box.x - 1, p.box.maxX() + 1);
            return covered >= 0.6 * w.bbox.w;
        });
        for (size_t k = 0; k < pictures.size(); ++k) {
            const Picture& p = pictures[k];
            if (owner[k] != static_cast<int>(i))
                continue;
            if (!p.text.empty()) {
                line.words.push_back(OCRWord{p.text, p.box, 0.9});
            } else if (p.emojiSized) {
                // Something no emoji of the font matches: its cell is flagged, never guessed.
                auto after = std::find_if(line.words.begin(), line.words.end(), [&](const OCRWord& w) {
                    return w.bbox.x >= p.box.maxX() - 1 && w.bbox.x - p.box.maxX() <= 1.5 * h;
                });
                if (after != line.words.end())
                    after->confidence = std::min(after->confidence, 0.3);
            }
        }
        std::sort(line.words.begin(), line.words.end(),
                  [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
        rejoinWords(line);
        if (!line.words.empty()) {
            line.bbox = line.words.front().bbox;
            for (const OCRWord& w : line.words)
                line.bbox = line.bbox.unite(w.bbox);
        }
    }
    std::erase_if(lines, [](const OCRLine& l) { return l.words.empty(); });
    return counts;
}

}  // namespace VozudOzev
