#pragma once

#include "VozudOzev/OCR/OCRWord.hpp"

#include <functional>
#include <string>
#include <vector>

namespace VozudOzev {

struct OCRLine {
    std::string text;
    BBox bbox;
    double confidence = 0;
    std::vector<OCRWord> words;

    bool operator==(const OCRLine&) const = default;
};

// The line's text made again from its words, one blank apart, after words were changed.
void rejoinWords(OCRLine& line);

// The words `drop` picks taken out of the lines, each changed line's text made again and
// the lines left empty gone. Returns how many words went.
int removeWords(std::vector<OCRLine>& lines, const std::function<bool(const OCRWord&)>& drop);

// Each word offered to `replace`, which either puts the words standing in its place into
// `out` and returns true, or returns false to keep it; each changed line's text made again.
// Returns how many words were replaced.
int replaceWords(std::vector<OCRLine>& lines,
                 const std::function<bool(const OCRWord&, std::vector<OCRWord>& out)>& replace);

void to_json(nlohmann::json& j, const OCRLine& l);
void from_json(const nlohmann::json& j, OCRLine& l);

}  // namespace VozudOzev
