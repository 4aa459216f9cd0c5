#include "VozudOzev/TextGrid/EmojiPictures.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"
#include "Support/ScreenFixtures.hpp"

#include <array>
#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;

namespace {

using RGB = std::array<std::uint8_t, 3>;

void paint(Image& image, int x, int y, int w, int h, RGB c)
{
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            std::copy(c.begin(), c.end(), image.pixel(xx, yy));
}

constexpr RGB red{220, 40, 30}, yellow{250, 210, 40}, green{30, 160, 60}, purple{120, 50, 200}, blue{20, 80, 200};

// A picture of the fake font: a square of `outer` with a square of `inner` in its middle,
// opaque, at 64 pixels on a transparent margin of 8.
EmojiFont::Glyph glyphOf(const std::string& text, RGB outer, RGB inner)
{
    std::vector<std::uint8_t> bgra(80 * 80 * 4, 0);
    for (int y = 8; y < 72; ++y)
        for (int x = 8; x < 72; ++x) {
            const RGB c = x >= 24 && x < 56 && y >= 24 && y < 56 ? inner : outer;
            std::uint8_t* p = &bgra[(static_cast<size_t>(y) * 80 + x) * 4];
            p[0] = c[2];
            p[1] = c[1];
            p[2] = c[0];
            p[3] = 255;
        }
    return *EmojiFont::thumbnailOf(text, bgra.data(), 80, 80, 80 * 4);
}

// Black strokes standing for a word's letters.
void letters(Image& image, int x0, int x1, int y, int h)
{
    for (int x = x0; x + 2 <= x1; x += 5)
        TestSupport::Canvas::fill(image, x, y, 2, h, 0);
}

}  // namespace

TEST(EmojiPictures, EmojiReadIconsDroppedUnknownPicturesFlaggedTextKept)
{
    Image image = TestSupport::Canvas::plain(260, 40);
    paint(image, 10, 15, 8, 8, green);  // a status dot: an icon
    paint(image, 24, 11, 16, 16, red);  // an emoji the font has
    paint(image, 28, 15, 8, 8, yellow);
    letters(image, 48, 80, 14, 10);
    paint(image, 100, 11, 16, 16, green);  // an emoji-sized picture the font lacks
    paint(image, 100, 11, 16, 8, purple);
    letters(image, 124, 170, 14, 10);
    paint(image, 200, 16, 8, 8, blue);  // a coloured letter "o": a ring
    paint(image, 202, 18, 4, 4, {255, 255, 255});
    std::vector<OCRLine> lines{line({word("®", 10, 15, 8, 8), word("#4", 24, 12, 16, 14), word("Paid", 48, 14, 32, 10),
                                     word("@", 100, 12, 16, 14), word("Shipped", 124, 14, 46, 10),
                                     word("o", 200, 16, 8, 8)})};

    const auto font = std::make_shared<const EmojiFont>(
        EmojiFont{{glyphOf("🔥", red, yellow), glyphOf("🟦", blue, blue), glyphOf("🟩", green, green)}});
    const EmojiPictures::Counts n = EmojiPictures::apply(lines, image, 10, [&] { return font; });

    EXPECT_EQ(n.read, 1);
    EXPECT_EQ(n.unread, 1);
    EXPECT_EQ(n.icons, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "🔥 Paid Shipped o");
    EXPECT_LE(lines[0].words[2].confidence, 0.3);  // the cell after the unknown picture is flagged
    EXPECT_GT(lines[0].words[1].confidence, 0.8);
}

TEST(EmojiPictures, NoFontLeavesEmojiUnreadAndFlagged)
{
    Image image = TestSupport::Canvas::plain(120, 40);
    paint(image, 10, 11, 16, 16, red);
    paint(image, 14, 15, 8, 8, yellow);
    letters(image, 34, 70, 14, 10);
    std::vector<OCRLine> lines{line({word("#4", 10, 12, 16, 14), word("Paid", 34, 14, 36, 10)})};
    const EmojiPictures::Counts n = EmojiPictures::apply(lines, image, 10, [] { return nullptr; });
    EXPECT_EQ(n.read, 0);
    EXPECT_EQ(n.unread, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "Paid");
    EXPECT_LE(lines[0].words[0].confidence, 0.3);
}

TEST(EmojiFont, ThumbnailKeepsTheInkAndRefusesEmptyOrBadInput)
{
    const EmojiFont::Glyph g = glyphOf("x", red, yellow);
    EXPECT_DOUBLE_EQ(g.aspect, 1.0);
    // The margin is cut off: the corner cell is the outer colour, the middle the inner one.
    EXPECT_FLOAT_EQ(g.colour[0], red[0]);
    const size_t mid = (EmojiFont::side / 2) * EmojiFont::side + EmojiFont::side / 2;
    EXPECT_FLOAT_EQ(g.colour[3 * mid + 1], yellow[1]);
    const std::vector<std::uint8_t> clear(16 * 4, 0);
    EXPECT_FALSE(EmojiFont::thumbnailOf("x", clear.data(), 4, 4, 16));
    EXPECT_FALSE(EmojiFont::thumbnailOf("x", clear.data(), 4, 4, 8));
    EXPECT_FALSE(EmojiFont::load("/nonexistent/emoji.ttf"));
    EXPECT_FALSE(EmojiFont::load(TestSupport::ScreenFixtures::path("web-emoji-status.png")));
}

// A web page's status column: a coloured dot, an emoji, the status word. The reading made
// "® #4", "e" and "® È" of the pictures.
TEST(EmojiPictures, WebStatusColumnReadAgainstTheInstalledFont)
{
    if (!EmojiFont::installed())
        GTEST_SKIP() << "no colour emoji font installed";
    const Image image = TestSupport::ScreenFixtures::image("web-emoji-status");
    const std::vector<OCRLine> lines = TestSupport::ScreenFixtures::lines("web-emoji-status");
    std::vector<std::string> notes;
    const std::optional<Table> t = ScreenTableRecognizer::build(lines, image, notes);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->grid(), (std::vector<std::vector<std::string>>{{"Tỉnh/Thành", "Tình trạng"},
                                                               {"Cộng hòa", "✅ Đã thanh toán"},
                                                               {"Long Biên", "✅ Đã thanh toán"},
                                                               {"Hạ Long", "🔥 Quá hạn"}}));
}

TEST(EmojiFont, ThumbnailsKeptAsBytesComeBackOnlyWhole)
{
    const EmojiFont font{{glyphOf("🔥", red, yellow), glyphOf("🟦", blue, blue)}};
    const std::string bytes = font.serialized("font|1");
    const std::optional<EmojiFont> back = EmojiFont::deserialized(bytes, "font|1");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->glyphs.size(), 2u);
    EXPECT_EQ(back->glyphs[0].text, "🔥");
    EXPECT_NEAR(back->glyphs[0].aspect, 1.0, 1e-4);
    EXPECT_NEAR(back->glyphs[1].colour[2], blue[2], 0.5);
    EXPECT_NEAR(back->glyphs[1].alpha[0], 1.0, 0.01);
    // Another font's key, a cut file, a count larger than the file, noise: nothing.
    EXPECT_FALSE(EmojiFont::deserialized(bytes, "font|2"));
    EXPECT_FALSE(EmojiFont::deserialized(bytes.substr(0, bytes.size() - 1), "font|1"));
    std::string counted = bytes;
    counted[8 + 4 + 6] = '\xff';
    EXPECT_FALSE(EmojiFont::deserialized(counted, "font|1"));
    EXPECT_FALSE(EmojiFont::deserialized("VZEMOJI1\xff\xff\xff\xff", "font|1"));
    EXPECT_FALSE(EmojiFont::deserialized("", "font|1"));
}
