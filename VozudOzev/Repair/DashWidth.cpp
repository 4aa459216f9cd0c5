#include "VozudOzev/Repair/DashWidth.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/OCR/TextHeight.hpp"

#include <algorithm>

namespace VozudOzev::DashWidth {

namespace {

bool startsWithDigit(const std::string& text)
{
    return !text.empty() && Unicode::isAsciiDigit(text[0]);
}

}  // namespace

Result relabel(const std::vector<OCRLine>& lines)
{
    Result result{lines, 0};
    const double median = TextHeight::median(lines);
    if (median <= 0)
        return result;

    for (OCRLine& line : result.lines) {
        bool changed = false;
        for (size_t i = 0; i < line.words.size(); ++i) {
            OCRWord& w = line.words[i];
            if (w.text != "-" && w.text != "–")
                continue;
            if (w.bbox.w < 0.8 * median)
                continue;
            // "- 12" is a minus sign set apart, not a dash standing for no value.
            if (i + 1 < line.words.size() && startsWithDigit(line.words[i + 1].text)
                && line.words[i + 1].bbox.x - w.bbox.maxX() <= median)
                continue;
            w.text = "—";
            changed = true;
            ++result.relabelled;
        }
        if (changed) {
            line.text.clear();
            for (const OCRWord& w : line.words) {
                if (!line.text.empty())
                    line.text += ' ';
                line.text += w.text;
            }
        }
    }
    return result;
}

}  // namespace VozudOzev::DashWidth
