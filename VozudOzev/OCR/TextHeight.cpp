#include "VozudOzev/OCR/TextHeight.hpp"

#include "VozudOzev/Model/Median.hpp"

namespace VozudOzev::TextHeight {

namespace {

template <class Boxed>
double medianOf(const std::vector<Boxed>& items)
{
    std::vector<double> heights;
    heights.reserve(items.size());
    for (const Boxed& item : items)
        heights.push_back(item.bbox.h);
    return upperMedian(std::move(heights));
}

}  // namespace

double median(const std::vector<OCRWord>& words)
{
    return medianOf(words);
}

double median(const std::vector<OCRLine>& lines)
{
    std::vector<double> heights;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            heights.push_back(w.bbox.h);
    return upperMedian(std::move(heights));
}

double median(const std::vector<TextSegment>& segments)
{
    return medianOf(segments);
}

}  // namespace VozudOzev::TextHeight
