#include "VozudOzev/TextGrid/DashWords.hpp"

#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;

TEST(DashWords, DashesAsTallAsTheTextAreReadAgainFlatDashesStay)
{
    const struct {
        const char* what;
        OCRWord dashes;
        std::optional<std::string> again;
        std::string want;
    } cases[] = {
        // A bold header word on a shaded bar, read as dashes.
        {"word as dashes", word("————", 296, 36, 47, 13), "Menge", "Menge"},
        {"word as one dash", word("—", 512, 36, 47, 13), "Menge", "Menge"},
        // A placeholder dash is flat: never read again.
        {"drawn dash", word("—", 300, 40, 12, 2), "Menge", "—"},
        // As tall as a glyph but no wider: a dash of a cell or a caret.
        {"glyph-sized", word("—", 300, 36, 12, 12), "x", "—"},
        // Read alone, still no letter or digit: the marks stay as read.
        {"still marks", word("——", 296, 36, 47, 13), "~—", "——"},
        {"nothing read", word("——", 296, 36, 47, 13), std::nullopt, "——"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<OCRLine> lines{line({word("Bestand", 180, 33, 59, 13), c.dashes})};
        int asked = 0;
        DashWords::reread(lines, 12, [&](const BBox& box) {
            ++asked;
            EXPECT_EQ(box, c.dashes.bbox);
            return c.again;
        });
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].words[1].text, c.want);
        EXPECT_EQ(lines[0].text, "Bestand " + c.want);
        EXPECT_LE(asked, 1);
    }
}
