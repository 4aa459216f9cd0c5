#include "Support/FixedTextRecognizer.hpp"

#include <map>

namespace TestSupport {

using namespace VozudOzev;

namespace {

NormalizedRect normalised(const BBox& b, double W, double H)
{
    return {b.x / W, 1 - (b.y + b.h) / H, b.w / W, b.h / H};
}

}  // namespace

std::vector<TextObservation> FixedTextRecognizer::perform(const Image& image, const RecognitionRequest&) const
{
    ++calls_;
    const double W = std::max(image.width, 1);
    const double H = std::max(image.height, 1);
    std::vector<TextObservation> out;
    for (const OCRLine& l : lines_) {
        TextObservation o;
        o.box = normalised(l.bbox, W, H);
        o.confidence = l.confidence;
        std::string text;
        std::map<size_t, NormalizedRect> starts;  // byte offset of each word -> its box
        for (const OCRWord& w : l.words) {
            if (!text.empty())
                text += ' ';
            starts[text.size()] = normalised(w.bbox, W, H);
            text += w.text;
        }
        o.topCandidate = text;
        o.boxForRange = [starts](size_t begin, size_t) -> std::optional<NormalizedRect> {
            auto it = starts.find(begin);
            if (it == starts.end())
                return std::nullopt;
            return it->second;
        };
        out.push_back(std::move(o));
    }
    return out;
}

}  // namespace TestSupport
