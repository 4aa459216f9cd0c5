#include "VozudOzev/TextGrid/UnsureWords.hpp"

#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;

TEST(UnsureWords, GarbledWordsInTallBoxesAreReadAgainAloneWhenThatIsSurer)
{
    using Reading = UnsureWords::Reading;
    const struct {
        const char* what;
        OCRWord word;
        std::optional<Reading> again;
        std::string want;
    } cases[] = {
        // A bold header word between a shaded bar's lines.
        {"garbled header", word("Best^llungez:", 200, 41, 94, 17, 0.42), Reading{"Bestellungen", 0.93}, "Bestellungen"},
        // The bar's line beside the box comes back as a stroke in front.
        {"border in front", word("Abweic*=-->", 783, 33, 88, 16, 0.02), Reading{"\u201aAbweichung", 0.9}, "Abweichung"},
        // Sure enough already, or in a box of the text's own height: not read again.
        {"sure", word("Menge", 369, 44, 48, 17, 0.9), Reading{"Mange", 0.95}, "Menge"},
        {"text height", word("Mcnge:", 369, 44, 48, 11, 0.5), Reading{"Menge", 0.95}, "Mcnge:"},
        // Letters only: the low confidence is its line's, garbled elsewhere.
        {"clean word", word("Standort", 44, 25, 121, 47, 0.71), Reading{"standort", 0.96}, "Standort"},
        {"grid bar glued on", word("|Flour", 53, 66, 74, 45, 0.34), Reading{"Fiour", 0.9}, "|Flour"},
        // The new reading must be surer, and a word.
        {"no surer", word("Laufez:", 275, 13, 60, 17, 0.6), Reading{"Laufendes", 0.65}, "Laufez:"},
        {"no word", word("Sum~", 10, 13, 40, 17, 0.3), Reading{"~~", 0.9}, "Sum~"},
        {"box over a neighbour", word("Uberweisung.", 527, 16, 163, 22, 0.5), Reading{"Überweisung. pdf", 0.9},
         "Uberweisung."},
        {"nothing read", word("Sum~", 10, 13, 40, 17, 0.3), std::nullopt, "Sum~"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<OCRLine> lines{line({word("Name", 18, 44, 41, 11), c.word})};
        lines[0].words[1].confidence = c.word.confidence;  // a line's words share its confidence
        UnsureWords::reread(lines, 11, [&](const BBox& box) {
            EXPECT_EQ(box, c.word.bbox);
            return c.again;
        });
        EXPECT_EQ(lines[0].words[1].text, c.want);
        EXPECT_EQ(lines[0].text, "Name " + c.want);
    }
}

TEST(UnsureWords, LeastSureFirstUpToTheLimit)
{
    std::vector<OCRLine> lines{line({word("a~b", 0, 0, 30, 20), word("c~d", 40, 0, 30, 20), word("e~f", 80, 0, 30, 20)})};
    lines[0].words[0].confidence = 0.5;
    lines[0].words[1].confidence = 0.1;
    lines[0].words[2].confidence = 0.3;
    std::vector<double> asked;
    UnsureWords::reread(
        lines, 10,
        [&](const BBox& box) -> std::optional<UnsureWords::Reading> {
            asked.push_back(box.x);
            return std::nullopt;
        },
        2);
    EXPECT_EQ(asked, (std::vector<double>{40, 80}));
}
