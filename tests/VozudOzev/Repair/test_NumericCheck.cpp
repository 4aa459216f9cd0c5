#include "Support/NumberFixtures.hpp"

#include "VozudOzev/Repair/NumericCheck.hpp"

#include <gtest/gtest.h>

#include <map>

using namespace VozudOzev;
using namespace TestSupport;

namespace {

struct Outcome {
    std::vector<std::string> texts;
    std::vector<bool> flagged;  // confidence capped below the trust threshold
    int rereads = 0;
};

// Runs the check over one fixture column read as `readings`; a second reading of row r
// gives `second[r]` (nothing when absent).
Outcome run(const std::string& fixture, const std::vector<std::string>& readings,
            const std::map<int, std::string>& second)
{
    const NumberFixtures::Column column = NumberFixtures::column(fixture);
    Table table = NumberFixtures::tableOf(column, readings);
    Outcome out;
    NumericCheck::apply(table, column.image, [&](const BBox& box) -> std::optional<std::string> {
        ++out.rereads;
        for (size_t r = 0; r < column.boxes.size(); ++r)
            if (column.boxes[r] == box && second.count(int(r)))
                return second.at(int(r));
        return std::nullopt;
    });
    for (const Cell& c : table.cells) {
        out.texts.push_back(c.text);
        out.flagged.push_back(c.confidence.value_or(1) < 0.8);
    }
    return out;
}

}  // namespace

TEST(NumericCheck, LostOrInventedMarksAreReadAgainAndAlwaysFlagged)
{
    const struct {
        const char* name;
        const char* fixture;
        std::vector<std::string> readings;
        std::map<int, std::string> second;
        std::vector<std::string> want;
        std::vector<bool> flagged;
    } cases[] = {
        {"lost comma, second reading has it", "comma", {"37,11", "12,50", "3,99", "4820"}, {{3, "48,20"}},
         {"37,11", "12,50", "3,99", "48,20"}, {false, false, false, true}},
        {"lost comma, second reading neither: kept, flagged", "comma", {"3711", "12,50", "3,99", "48,20"},
         {{0, "3711"}}, {"3711", "12,50", "3,99", "48,20"}, {true, false, false, false}},
        {"small font", "comma-small", {"37,11", "1250", "3,99", "48,20"}, {{1, "12,50"}},
         {"37,11", "12,50", "3,99", "48,20"}, {false, true, false, false}},
        {"lost point, second reading with other digits: kept", "point", {"87.12", "5.40", "1608", "2.75"},
         {{2, "16.88"}}, {"87.12", "5.40", "1608", "2.75"}, {false, false, true, false}},
        {"separator moved", "point", {"87.12", "5.40", "1.608", "2.75"}, {},
         {"87.12", "5.40", "1.608", "2.75"}, {false, false, true, false}},
        {"lost comma and euro sign", "euro", {"2,19 \u20AC", "6.127,86 \u20AC", "1400\u20AC", "1,05 \u20AC"},
         {{2, "14,00 \u20AC"}}, {"2,19 \u20AC", "6.127,86 \u20AC", "14,00 \u20AC", "1,05 \u20AC"},
         {false, false, true, false}},
        {"second reading loses the blank before the sign: the page's blank stays", "euro",
         {"2,19 \u20AC", "6.127,86 \u20AC", "1400 \u20AC", "1,05 \u20AC"}, {{2, "14,00\u20AC"}},
         {"2,19 \u20AC", "6.127,86 \u20AC", "14,00 \u20AC", "1,05 \u20AC"}, {false, false, true, false}},
        {"yen read as a digit", "yen", {"4389", "\u00A51,630", "\u00A5250", "\u00A512"}, {{0, "\u00A5389"}},
         {"\u00A5389", "\u00A51,630", "\u00A5250", "\u00A512"}, {true, false, false, false}},
        {"yen read as a four in every row", "yen", {"4389", "41,630", "4250", "412"},
         {{0, "\u00A5389"}, {2, "\u00A5250"}}, {"\u00A5389", "41,630", "\u00A5250", "412"}, {true, true, true, true}},
        {"yen dropped, not read again: flagged", "yen", {"\u00A5389", "1,630", "\u00A5250", "\u00A512"}, {},
         {"\u00A5389", "1,630", "\u00A5250", "\u00A512"}, {false, true, false, false}},
        {"lost group in brackets", "brackets", {"(1042)", "2,310", "(88)", "1,507"}, {{0, "(1,042)"}},
         {"(1,042)", "2,310", "(88)", "1,507"}, {true, false, false, false}},
        {"lost minus sign, second reading has it", "minus", {"-4.20", "3.10", "12.00", "0.50"}, {{2, "-12.00"}},
         {"-4.20", "3.10", "-12.00", "0.50"}, {false, false, true, false}},
        {"minus touching its digit in small print, read again", "minus-small", {"4%", "12%", "-40%", "7%"},
         {{0, "-4%"}}, {"-4%", "12%", "-40%", "7%"}, {true, false, false, false}},
        {"minus touching its digit, second reading without it: kept, flagged", "minus-small",
         {"-4%", "12%", "40%", "7%"}, {{2, "40%"}}, {"-4%", "12%", "40%", "7%"}, {false, false, true, false}},
        {"a right column is left alone", "comma", {"37,11", "12,50", "3,99", "48,20"}, {},
         {"37,11", "12,50", "3,99", "48,20"}, {false, false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = run(c.fixture, c.readings, c.second);
        EXPECT_EQ(o.texts, c.want);
        EXPECT_EQ(o.flagged, c.flagged);
    }
}

TEST(NumericCheck, AColumnThatLostSeparatorsIsDoubtedWhereTheInkCannotTell)
{
    // Two cells show the lost comma in their ink; the third's ink is out of reach (its box
    // holds none), so only its column can doubt it.
    const NumberFixtures::Column column = NumberFixtures::column("comma");
    Table table = NumberFixtures::tableOf(column, {"3711", "1250", "399", "48,20"});
    table.cells[2].bbox = BBox{100, 90, 40, 15};
    const NumericCheck::Counts counts =
        NumericCheck::apply(table, column.image, [](const BBox&) { return std::nullopt; });
    EXPECT_EQ(counts.ink, 2);
    EXPECT_EQ(counts.column, 1);
    EXPECT_EQ(table.cells[2].text, "399");
    EXPECT_LT(table.cells[2].confidence.value_or(1), 0.8);
}

TEST(NumericCheck, AColumnReadMostlyWithLowConfidenceDoubtsItsOtherNumbers)
{
    const NumberFixtures::Column column = NumberFixtures::column("comma");
    for (const int unsure : {2, 3}) {
        SCOPED_TRACE(unsure);
        Table table = NumberFixtures::tableOf(column, column.texts);
        for (int i = 0; i < unsure; ++i)
            table.cells[static_cast<size_t>(i)].confidence = 0.4;
        NumericCheck::apply(table, column.image, [](const BBox&) { return std::nullopt; });
        EXPECT_EQ(table.cells[3].confidence.value_or(1) < 0.8, unsure == 3);
        EXPECT_EQ(table.cells[3].text, "48,20");
    }
}

TEST(NumericCheck, AnEmDashReadAsAHyphenIsMeasuredAndFlagged)
{
    const Outcome o = run("dash", {"-", "4,20", "\u2014", "17,35"}, {});
    EXPECT_EQ(o.texts, (std::vector<std::string>{"\u2014", "4,20", "\u2014", "17,35"}));
    EXPECT_EQ(o.flagged, (std::vector<bool>{true, false, false, false}));
    // An en dash measured as an em dash is an empty value all the same: kept, flagged.
    const Outcome en = run("dash", {"\u2013", "4,20", "\u2014", "17,35"}, {});
    EXPECT_EQ(en.texts, (std::vector<std::string>{"\u2013", "4,20", "\u2014", "17,35"}));
    EXPECT_EQ(en.flagged, (std::vector<bool>{true, false, false, false}));
}

TEST(NumericCheck, ADashIsMeasuredAgainstTheDigitsNotTheCellBoxes)
{
    // Line boxes half as tall again as the text made an em dash look like an en dash.
    const NumberFixtures::Column column = NumberFixtures::column("dash");
    for (const double grow : {0.0, 8.0}) {
        SCOPED_TRACE(grow);
        Table table = NumberFixtures::tableOf(column, {"\u2014", "4,20", "-", "17,35"});
        for (const size_t i : {1, 3}) {
            table.cells[i].bbox->y -= grow / 2;
            table.cells[i].bbox->h += grow;
        }
        NumericCheck::apply(table, column.image, [](const BBox&) { return std::nullopt; });
        EXPECT_EQ(table.cells[0].text, "\u2014");
        EXPECT_EQ(table.cells[2].text, "\u2014");
    }
}

TEST(NumericCheck, ARightTableCostsNoSecondReading)
{
    EXPECT_EQ(run("euro", {"2,19 \u20AC", "6.127,86 \u20AC", "14,00 \u20AC", "1,05 \u20AC"}, {}).rereads, 0);
    EXPECT_EQ(run("yen", {"\u00A5389", "\u00A51,630", "\u00A5250", "\u00A512"}, {}).rereads, 0);
}
