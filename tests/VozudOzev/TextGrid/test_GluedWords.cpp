#include "VozudOzev/TextGrid/GluedWords.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

// Two blocks of letters 10 px tall at x 10..40 and from 40 + blank to 80.
Image gluedImage(int blank)
{
    Image image = plain(200, 60);
    fill(image, 10, 10, 30, 10, 20);
    fill(image, 40 + blank, 10, 40 - blank, 10, 20);
    return image;
}

// The widest run of blank columns between inked ones.
int widestBlank(const Image& crop)
{
    int widest = 0;
    int run = 0;
    bool inked = false;
    for (int x = 0; x < crop.width; ++x) {
        bool ink = false;
        for (int y = 0; y < crop.height; ++y)
            ink = ink || *crop.pixel(x, y) < 128;
        if (ink && inked)
            widest = std::max(widest, run);
        run = ink ? 0 : run + 1;
        inked = inked || ink;
    }
    return widest;
}

}  // namespace

TEST(GluedWords, TakesTheBlanksTheInkShowsAndTheNewReadingFinds)
{
    const struct {
        const char* what;
        const char* read;  // the page's reading of the word
        int blank;         // px between the two blocks; the page's word space is 6 px
        const char* again;
        std::vector<std::string> words;
        bool reread;
    } cases[] = {
        {"bold header", "Lượtxem", 6, "Lượt xem", {"Lượt", "xem"}, true},
        {"marks kept from the page's reading", "Lượtxem", 6, "Luot xem", {"Lượt", "xem"}, true},
        {"space before a sign", "14%", 6, "14 %", {"14", "%"}, true},
        {"decimal mark seen enlarged", "254%", 6, "25,4 %", {"25,4", "%"}, true},
        {"no blank inside a number", "$1.94", 6, "$ 1.94", {"$1.94"}, true},
        {"other letters: left as it was", "Lượtxem", 6, "Lượt xcm", {"Lượtxem"}, true},
        {"a letter gap is no word space", "Lượtxem", 3, "Lượt xem", {"Lượtxem"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<OCRLine> lines{line({word(c.read, 10, 9, 70, 12)}),
                                   line({word("ab", 10, 40, 14, 12), word("cd", 30, 40, 14, 12),
                                         word("ef", 50, 40, 14, 12), word("gh", 70, 40, 14, 12),
                                         word("ij", 90, 40, 14, 12), word("kl", 110, 40, 14, 12)})};
        bool asked = false;
        const int parted = GluedWords::part(lines, gluedImage(c.blank), 12, [&](const Image& crop) {
            asked = true;
            // The blank is read widened, by half a line height.
            EXPECT_EQ(widestBlank(crop), c.blank + 6);
            return std::optional<std::string>(c.again);
        });
        EXPECT_EQ(asked, c.reread);
        std::vector<std::string> words;
        for (const OCRWord& w : lines.front().words)
            words.push_back(w.text);
        EXPECT_EQ(words, c.words);
        EXPECT_EQ(parted, c.words.size() > 1 ? 1 : 0);
        if (c.words.size() == 2) {
            // Each piece ends where the ink leaves its blank.
            EXPECT_DOUBLE_EQ(lines.front().words[0].bbox.maxX(), 40);
            EXPECT_DOUBLE_EQ(lines.front().words[1].bbox.x, 40 + c.blank);
        }
    }
}

// A faint bold header's letters stand apart all along ("Subtotal" with blanks of 1 to 3 px,
// "Produkt" of 1 to 5): one blank a little wider than the others is letter spacing, not a
// space the reading missed.
TEST(GluedWords, EvenlySpacedLettersAreNotParted)
{
    const struct {
        const char* text;
        const char* again;
        std::vector<int> blanks;
    } cases[] = {{"Subtotal", "S ubtotal", {3, 2, 1, 1, 2, 1, 0}}, {"Produkt", "Prod ukt", {4, 2, 2, 5, 3, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Image image = plain(200, 60);
        int x = 10;
        for (size_t i = 0; i <= c.blanks.size(); ++i) {
            fill(image, x, 10, 7, 10, 20);
            x += 7 + (i < c.blanks.size() ? c.blanks[i] : 0);
        }
        std::vector<OCRLine> lines{line({word(c.text, 10, 9, x - 10, 12)}),
                                   line({word("ab", 10, 40, 14, 12), word("cd", 27, 40, 14, 12),
                                         word("ef", 44, 40, 14, 12), word("gh", 61, 40, 14, 12),
                                         word("ij", 78, 40, 14, 12), word("kl", 95, 40, 14, 12)})};
        bool asked = false;
        EXPECT_EQ(GluedWords::part(lines, image, 12, [&](const Image&) {
                      asked = true;
                      return std::optional<std::string>(c.again);
                  }),
                  0);
        EXPECT_FALSE(asked);
        EXPECT_EQ(lines.front().words.front().text, c.text);
    }
}
