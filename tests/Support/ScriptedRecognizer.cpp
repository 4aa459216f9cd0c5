#include "Support/ScriptedRecognizer.hpp"

#include <algorithm>
#include <stdexcept>

namespace TestSupport {

std::vector<VozudOzev::TextObservation> ScriptedRecognizer::perform(const VozudOzev::Image& image,
                                                                    const VozudOzev::RecognitionRequest& request) const
{
    {
        std::lock_guard lock(mutex_);
        calls_.push_back({image.width, image.height, request});
    }
    if (!failure_.empty())
        throw std::runtime_error(failure_);
    const std::vector<Observation> script = fn_ ? fn_(image) : script_;
    std::vector<VozudOzev::TextObservation> out;
    for (const Observation& o : script) {
        VozudOzev::TextObservation t;
        t.box = o.box;
        t.topCandidate = o.text;
        t.confidence = o.confidence;
        auto ranges = o.ranges;
        t.boxForRange = [ranges](size_t begin, size_t end) -> std::optional<VozudOzev::NormalizedRect> {
            for (const auto& [range, box] : ranges)
                if (range.first == begin && range.second == end)
                    return box;
            return std::nullopt;
        };
        out.push_back(std::move(t));
    }
    return out;
}

std::vector<ScriptedRecognizer::Call> ScriptedRecognizer::calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}

ScriptedRecognizer::Observation observation(const std::vector<PixelWord>& words, double confidence, int W, int H)
{
    auto norm = [&](double x, double y, double w, double h) {
        return VozudOzev::NormalizedRect{x / W, 1.0 - (y + h) / H, w / W, h / H};
    };
    ScriptedRecognizer::Observation o;
    o.confidence = confidence;
    std::string text;
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (const PixelWord& w : words) {
        if (!text.empty())
            text += ' ';
        o.ranges.push_back({{text.size(), text.size() + w.text.size()}, norm(w.x, w.y, w.w, w.h)});
        text += w.text;
        x0 = std::min(x0, w.x);
        y0 = std::min(y0, w.y);
        x1 = std::max(x1, w.x + w.w);
        y1 = std::max(y1, w.y + w.h);
    }
    o.text = text;
    o.box = words.empty() ? VozudOzev::NormalizedRect{} : norm(x0, y0, x1 - x0, y1 - y0);
    return o;
}

}  // namespace TestSupport
