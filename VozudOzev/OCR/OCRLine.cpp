#include "VozudOzev/OCR/OCRLine.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void rejoinWords(OCRLine& line)
{
    line.text.clear();
    for (const OCRWord& w : line.words)
        line.text += (line.text.empty() ? "" : " ") + w.text;
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
