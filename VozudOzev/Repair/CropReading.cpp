#include "VozudOzev/Repair/CropReading.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev::CropReading {

void cap(AssembledCell& cell)
{
    cell.confidence = std::min(cell.confidence.value_or(maxConfidence), maxConfidence);
}

std::optional<std::string> read(const TextOCR& ocr, const Image& image, const BBox& box, double scale,
                                std::string_view characters)
{
    if (!std::isfinite(box.x) || !std::isfinite(box.y) || !std::isfinite(box.w) || !std::isfinite(box.h))
        return std::nullopt;
    const double left = std::floor(std::max(box.x - 6, 0.0));
    const double top = std::floor(std::max(box.y - 6, 0.0));
    const double right = std::ceil(std::min(box.x + box.w + 6, static_cast<double>(image.width)));
    const double bottom = std::ceil(std::min(box.y + box.h + 6, static_cast<double>(image.height)));
    if (right - left < 2 || bottom - top < 2)
        return std::nullopt;
    const Image crop = image.cropped(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                                     static_cast<int>(bottom));
    if (crop.empty())
        return std::nullopt;
    const std::optional<Image> big = crop.scaled(scale);
    if (!big)
        return std::nullopt;

    TextOCR once = ocr;
    once.minimumTextHeight = 0.0f;
    once.characters = characters;
    std::string text;
    for (const OCRLine& line : once.recognize(*big)) {
        if (!text.empty())
            text += ' ';
        text += line.text;
    }
    if (Unicode::trimmed(text).empty())
        return std::nullopt;
    return text;
}

}  // namespace VozudOzev::CropReading
