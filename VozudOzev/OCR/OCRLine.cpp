#include "VozudOzev/OCR/OCRLine.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void rejoinWords(OCRLine& line)
{
    line.text.clear();
    for (const OCRWord& w : line.words)
        line.text += (line.text.empty() ? "" : " ") + w.text;
}

int removeWords(std::vector<OCRLine>& lines, const std::function<bool(const OCRWord&)>& drop)
{
    int removed = 0;
    for (OCRLine& line : lines)
        if (const auto n = std::erase_if(line.words, drop); n > 0) {
            removed += static_cast<int>(n);
            rejoinWords(line);
        }
    std::erase_if(lines, [](const OCRLine& l) { return l.words.empty(); });
    return removed;
}

int replaceWords(std::vector<OCRLine>& lines,
                 const std::function<bool(const OCRWord&, std::vector<OCRWord>& out)>& replace)
{
    int replaced = 0;
    for (OCRLine& line : lines) {
        std::vector<OCRWord> words;
        bool changed = false;
        for (const OCRWord& w : line.words) {
            if (replace(w, words)) {
                ++replaced;
                changed = true;
            } else {
                words.push_back(w);
            }
        }
        if (!changed)
            continue;
        line.words = std::move(words);
        rejoinWords(line);
    }
    return replaced;
}

// Every key is required: history records store OCR lines in this form.
void to_json(nlohmann::json& j, const OCRWord& w)
{
    j = nlohmann::json{{"text", w.text}, {"bbox", w.bbox}, {"confidence", w.confidence}};
}

void from_json(const nlohmann::json& j, OCRWord& w)
{
    w.text = j.at("text").get<std::string>();
    w.bbox = j.at("bbox").get<BBox>();
    w.confidence = j.at("confidence").get<double>();
}

void to_json(nlohmann::json& j, const OCRLine& l)
{
    j = nlohmann::json{{"text", l.text}, {"bbox", l.bbox}, {"confidence", l.confidence}, {"words", l.words}};
}

void from_json(const nlohmann::json& j, OCRLine& l)
{
    l.text = j.at("text").get<std::string>();
    l.bbox = j.at("bbox").get<BBox>();
    l.confidence = j.at("confidence").get<double>();
    l.words = j.at("words").get<std::vector<OCRWord>>();
}

}  // namespace VozudOzev
