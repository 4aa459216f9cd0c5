#include "VozudOzev/OCR/TextOCR.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>

namespace VozudOzev {

namespace {

BBox toPixels(const NormalizedRect& r, double W, double H)
{
    return {r.minX * W, (1 - r.maxY()) * H, r.width * W, r.height * H};
}

BBox scaledBox(const BBox& b, double k)
{
    return {b.x * k, b.y * k, b.w * k, b.h * k};
}

// Byte ranges of the maximal runs of non-whitespace code points.
std::vector<std::pair<size_t, size_t>> wordRanges(const std::string& text)
{
    std::vector<std::pair<size_t, size_t>> ranges;
    size_t byte = 0;
    size_t start = 0;
    bool inWord = false;
    for (char32_t cp : Unicode::decode(text)) {
        std::string enc;
        Unicode::append(enc, cp);
        const bool white = Unicode::isWhitespace(cp);
        if (!white && !inWord) {
            start = byte;
            inWord = true;
        } else if (white && inWord) {
            ranges.emplace_back(start, byte);
            inWord = false;
        }
        byte += enc.size();
    }
    if (inWord)
        ranges.emplace_back(start, text.size());
    return ranges;
}

bool blankOnly(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

TextOCR::TextOCR(std::vector<std::string> languages_, bool autoDetectLanguage_, bool languageCorrection_)
    : languages(std::move(languages_)), autoDetectLanguage(autoDetectLanguage_), languageCorrection(languageCorrection_)
{
}

std::vector<OCRLine> TextOCR::recognize(const Image& image) const
{
    if (upscale > 1.0) {
        if (auto big = scaled(image, upscale)) {
            TextOCR once = *this;
            once.upscale = 1.0;
            std::vector<OCRLine> lines = once.recognize(*big);
            const double k = 1.0 / upscale;
            for (OCRLine& line : lines) {
                line.bbox = scaledBox(line.bbox, k);
                for (OCRWord& w : line.words)
                    w.bbox = scaledBox(w.bbox, k);
            }
            return lines;
        }
    }

    RecognitionRequest request;
    request.fast = fastLevel;
    request.languageCorrection = languageCorrection;
    request.languages = languages;
    if (minimumTextHeight)
        request.minimumTextHeight = minimumTextHeight;
    request.autoDetectLanguage = autoDetectLanguage;
    request.characters = characters;

    const std::vector<TextObservation> observations = recognizer->perform(image, request);

    const double W = image.width;
    const double H = image.height;
    std::vector<OCRLine> lines;
    lines.reserve(observations.size());
    for (const TextObservation& o : observations) {
        if (!o.topCandidate)
            continue;
        OCRLine line;
        // Word ranges are byte offsets into the text, so it must be valid UTF-8 first.
        line.text = Unicode::sanitized(*o.topCandidate);
        line.confidence = o.confidence;
        line.bbox = toPixels(o.box, W, H);
        for (const auto& [begin, end] : wordRanges(line.text)) {
            std::optional<NormalizedRect> box;
            if (o.boxForRange)
                box = o.boxForRange(begin, end);
            if (!box)
                continue;
            line.words.push_back({line.text.substr(begin, end - begin), toPixels(*box, W, H), o.confidence});
        }
        if (line.words.empty() && !blankOnly(line.text))
            line.words.push_back({line.text, line.bbox, line.confidence});
        lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<Image> TextOCR::scaled(const Image& image, double factor)
{
    return image.scaled(factor);
}

std::vector<TextSegment> TextOCR::segments(const std::vector<OCRLine>& lines, double gapFactor)
{
    std::vector<TextSegment> out;
    for (const OCRLine& line : lines) {
        if (line.words.empty())
            continue;
        std::vector<OCRWord> words = line.words;
        std::stable_sort(words.begin(), words.end(), [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
        const double threshold = std::max(line.bbox.h, 1.0) * gapFactor;
        TextSegment open{words[0].text, words[0].bbox, words[0].confidence};
        for (size_t i = 1; i < words.size(); ++i) {
            const OCRWord& w = words[i];
            const double gap = w.bbox.x - (open.bbox.x + open.bbox.w);
            if (gap > threshold) {
                out.push_back(std::move(open));
                open = {w.text, w.bbox, w.confidence};
            } else {
                open.text += " " + w.text;
                open.bbox = open.bbox.unite(w.bbox);
                open.confidence = std::min(open.confidence, w.confidence);
            }
        }
        out.push_back(std::move(open));
    }
    return out;
}

}  // namespace VozudOzev
