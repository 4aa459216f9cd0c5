#include "VozudOzev/TextGrid/UnderlinedWords.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

// Two blocks of letters 10 px tall at x 10..40 and 46..80 (a blank of `blank` px before the
// second), under them an underline when asked.
Image linkImage(bool underlined, int blank = 6)
{
    Image image = plain(120, 40);
    fill(image, 10, 10, 30, 10, 20);
    fill(image, 40 + blank, 10, 80 - 40 - blank, 10, 20);
    if (underlined)
        fill(image, 10, 22, 70, 1, 20);
    return image;
}

}  // namespace

TEST(UnderlinedWords, OnlyTheBlanksOfTheNewReadingAreTaken)
{
    const struct {
        const char* what;
        const char* read;       // the page's reading of the one word
        Image image;
        const char* again;      // the reading without the underline
        std::vector<std::string> words;
        bool reread;
    } cases[] = {
        {"blank found again", "LongBien", linkImage(true), "Long Bien", {"Long", "Bien"}, true},
        {"marks kept from the page's reading", "Cộnghòa", linkImage(true), "Công hòa", {"Cộng", "hòa"}, true},
        {"other letters: left as it was", "LongBien", linkImage(true), "Lang Bien", {"LongBien"}, true},
        {"no blank in the new reading", "LongBien", linkImage(true), "LongBien", {"LongBien"}, true},
        {"not underlined", "LongBien", linkImage(false), "Long Bien", {"LongBien"}, false},
        {"no word space in the ink", "LongBien", linkImage(true, 1), "Long Bien", {"LongBien"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<OCRLine> lines{line({word(c.read, 10, 10, 70, 13)})};
        bool asked = false;
        const int parted = UnderlinedWords::part(lines, c.image, 12, [&](const Image& crop) {
            asked = true;
            // The underline is painted out of what is read again: the letters' ink is all.
            int ink = 0;
            for (int y = 0; y < crop.height; ++y)
                for (int x = 0; x < crop.width; ++x)
                    ink += *crop.pixel(x, y) < 128 ? 1 : 0;
            EXPECT_EQ(ink, 64 * 10);
            return std::optional<std::string>(c.again);
        });
        EXPECT_EQ(asked, c.reread);
        std::vector<std::string> words;
        for (const OCRWord& w : lines.front().words)
            words.push_back(w.text);
        EXPECT_EQ(words, c.words);
        EXPECT_EQ(parted, c.words.size() > 1 ? 1 : 0);
        EXPECT_EQ(lines.front().text, c.words.size() > 1 ? c.words[0] + " " + c.words[1] : c.words[0]);
    }
}
