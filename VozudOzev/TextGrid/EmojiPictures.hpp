#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/EmojiFont.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace VozudOzev {

// Pictures among the text of a line: colour emoji and icons. The recogniser reads them as
// stray letters ("®", "@", "all"); an emoji is read again against the emoji font's own
// pictures, an icon is no text at all.
struct EmojiPictures {
    struct Picture {
        BBox box;
        std::string text;     // the emoji it shows; empty when it is an icon or unreadable
        bool emojiSized = false;  // as tall as the text: an emoji, read or not
        double distance = 0;  // mean colour difference to the best emoji picture, 0...255
    };

    struct Counts {
        int read = 0;     // emoji read
        int unread = 0;   // emoji-sized pictures no emoji matches: their cell is flagged
        int icons = 0;    // smaller pictures left out of the text
    };

    using FontSource = std::function<std::shared_ptr<const EmojiFont>()>;

    // The filled, coloured pictures as tall as half a line or more in the lines' bands; h is
    // the median word height. The font is asked for only when there is a picture to read.
    static std::vector<Picture> find(const std::vector<OCRLine>& lines, const Image& image, double h,
                                     const FontSource& font);

    // The words read over pictures taken out, each emoji read put in their place, and the
    // word after an unreadable emoji given a low confidence so that its cell is flagged.
    static Counts apply(std::vector<OCRLine>& lines, const Image& image, double h, const FontSource& font);
};

}  // namespace VozudOzev
