#include "VozudOzev/Repair/NumberPattern.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

TEST(NumberPattern, ShapeOfReadsMarksSeparatorsAndGroups)
{
    using S = NumberPattern::Shape;
    const struct {
        const char* text;
        std::optional<S> want;
    } cases[] = {
        {"37,11", S{"", "", ',', 2, 0, 2}},
        {"3711", S{"", "", 0, 0, 0, 4}},
        {"1,234", S{"", "", 0, 0, ',', 4}},
        {"0,125", S{"", "", ',', 3, 0, 1}},
        {"6.127,86 €", S{"", "\u20AC", ',', 2, '.', 4}},
        {"$1,234.50", S{"$", "", '.', 2, ',', 4}},
        {"\u00A51,630", S{"\u00A5", "", 0, 0, ',', 4}},
        {"(1,042)", S{"(", ")", 0, 0, ',', 4}},
        {"-12.5 %", S{"", "%", '.', 1, 0, 2}},
        {"1\u202F234,56", S{"", "", ',', 2, ' ', 4}},
        {"43.842.500 \u20AB", S{"", "\u20AB", 0, 0, '.', 8}},
        {"27,84 EUR", S{"", "EUR", ',', 2, 0, 2}},
        {"12.05.2024", std::nullopt},
        {"12:30", std::nullopt},
        {"SKU-00123", std::nullopt},
        {"\u2014", std::nullopt},
        {"Y788", S{"Y", "", 0, 0, 0, 3}},
        {"\u00AB43.26", S{"?", "", '.', 2, 0, 2}},
        {"Total", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NumberPattern::shapeOf(c.text), c.want);
    }
}

TEST(NumberPattern, AColumnOfFoursIsAYenSignReadAsADigit)
{
    const struct {
        std::vector<std::string> texts;
        bool want;
    } cases[] = {
        {{"4665", "4410", "4467"}, true},
        {{"4,665", "(4410)", "Total", "4467"}, true},
        {{"4665", "4410"}, false},             // too few
        {{"4665", "5410", "4467"}, false},     // one begins otherwise
        {{"\u00A5665", "4410", "4467", "4123"}, false},  // the sign is read elsewhere
        {{"41.5%", "44.2%", "40.0%"}, false},  // percentages
        {{"4", "4", "4"}, false},              // single digits: counts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts.front());
        EXPECT_EQ(NumberPattern::yenReadAsFour(c.texts), c.want);
    }
}

TEST(NumberPattern, OutliersBreakWhatTheColumnShares)
{
    const struct {
        const char* name;
        std::vector<std::string> texts;
        std::vector<size_t> want;
    } cases[] = {
        {"lost decimal comma", {"37,11", "12,50", "3711", "48,20", "9,99"}, {2}},
        {"lost decimal point", {"87.12", "8712", "5.40", "16.08"}, {1}},
        {"lost decimal point after a dollar sign", {"$72.11", "$7211", "$5.40", "$16.08"}, {1}},
        {"lost comma before a spaced percent sign", {"1,3 %", "13 %", "4,5 %", "2,0 %"}, {1}},
        {"lost euro sign and comma", {"2,19 \u20AC", "14,00 \u20AC", "219\u20AC", "1,05 \u20AC"}, {2}},
        {"yen read as a digit", {"\u00A5389", "\u00A51,630", "4389", "\u00A5250", "\u00A512"}, {2}},
        {"dropped yen", {"\u00A5389", "1,630", "\u00A5250", "\u00A512"}, {1}},
        {"lost group separator", {"(1,042)", "2,310", "(1042)", "1,507", "88"}, {2}},
        {"unbalanced bracket", {"(1,042", "2,310", "(88)"}, {0}},
        {"lost percent sign", {"12.5%", "3.1%", "45.0%", "7.2"}, {3}},
        {"yen read as a letter", {"\u00A5389", "Y788", "\u00A5250", "\u00A512"}, {1}},
        {"a currency a quarter shows", {"$12.00", "4.50", "$3.10", "7.25", "1.10", "2.20", "3.30", "4.40"},
         {1, 3, 4, 5, 6, 7}},
        {"one yen read as a letter is", {"1193", "13,965", "4565", "Y788", "46,271", "546", "2,104", "881"},
         {0, 1, 2, 3, 4, 5, 6, 7}},
        {"currency read as a stray symbol", {"\u00A5389", "#105", "250", "12", "7", "9", "11"}, {1}},
        {"numbered items are no amounts", {"#101", "#102", "#103", "#104"}, {}},
        {"one currency mark alone is no evidence", {"$12.00", "4.50", "3.10", "7.25"}, {}},
        {"a consistent column", {"37,11", "12,50", "3,99", "1.048,20"}, {}},
        {"negatives with minus are no outliers", {"-4.20", "3.10", "12.00", "-0.50"}, {}},
        {"no clear majority", {"37,11", "3711", "12,5", "4"}, {}},
        {"too few to tell", {"37,11", "3711"}, {}},
        {"text and dashes are not counted", {"37,11", "\u2014", "n/a", "12,50", "3,99", "3711"}, {5}},
        {"short integers need no groups", {"1,234", "56", "7,890", "12,345"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NumberPattern::outliers(c.texts), c.want);
    }
}
