#include "Support/OCRBuilders.hpp"

namespace TestSupport::OCRBuilders {

using namespace VozudOzev;

OCRWord word(const std::string& text, double x, double y, double w, double h, double confidence)
{
    return {text, {x, y, w, h}, confidence};
}

OCRLine line(std::vector<OCRWord> words, double confidence)
{
    OCRLine l;
    l.confidence = confidence;
    for (size_t i = 0; i < words.size(); ++i) {
        words[i].confidence = confidence;
        l.text += (i ? " " : "") + words[i].text;
        l.bbox = i ? l.bbox.unite(words[i].bbox) : words[i].bbox;
    }
    l.words = std::move(words);
    return l;
}

OCRLine row(const std::vector<std::string>& texts, const std::vector<double>& xs, double y, double h,
            double confidence)
{
    std::vector<OCRWord> words;
    for (size_t i = 0; i < texts.size() && i < xs.size(); ++i)
        words.push_back(word(texts[i], xs[i], y, 8.0 * static_cast<double>(texts[i].size()), h, confidence));
    return line(std::move(words), confidence);
}

}  // namespace TestSupport::OCRBuilders
