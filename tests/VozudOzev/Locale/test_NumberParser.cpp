#include "VozudOzev/Locale/CommaLocale.hpp"
#include "VozudOzev/Locale/NumberParser.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <clocale>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace VozudOzev {
namespace {

using NumberStyle::commaDecimal;
using NumberStyle::dotDecimal;

struct Want {
    const char* value;
    NumberKind kind;
    const char* currency;  // nullptr: none
    int fractionDigits;
    const char* normalized;
};

struct ParseCase {
    std::string text;
    NumberStyle style;
    std::optional<Want> want;
};

const std::vector<ParseCase>& parseCases()
{
    const auto number = NumberKind::number;
    const auto currency = NumberKind::currency;
    const auto percent = NumberKind::percent;
    static const std::vector<ParseCase> cases = {
        // The documented examples.
        {"1.234,56 €", commaDecimal, Want{"1234.56", currency, "€", 2, "1234.56"}},
        {"1.234,56 €", dotDecimal, std::nullopt},
        {"1,234", dotDecimal, Want{"1234", number, nullptr, 0, "1234"}},
        {"1,234", commaDecimal, Want{"1.234", number, nullptr, 3, "1.234"}},
        {"(1 200)", dotDecimal, Want{"-1200", number, nullptr, 0, "-1200"}},
        {"12,5%", commaDecimal, Want{"12.5", percent, nullptr, 1, "12.5%"}},
        {"12,5%", dotDecimal, std::nullopt},
        {"$1.5M", dotDecimal, Want{"1500000", currency, "$", 0, "1500000"}},
        {"0,500", dotDecimal, std::nullopt},
        {"0,500", commaDecimal, Want{"0.5", number, nullptr, 3, "0.500"}},
        // Nothing to read.
        {"-", dotDecimal, std::nullopt},
        {"%", dotDecimal, std::nullopt},
        {"$", dotDecimal, std::nullopt},
        {"", dotDecimal, std::nullopt},
        {"abc", dotDecimal, std::nullopt},
        {"5%%", dotDecimal, std::nullopt},
        {"$5%", dotDecimal, std::nullopt},
        {"5.", dotDecimal, std::nullopt},
        {"SKU-33418", dotDecimal, std::nullopt},
        {"VN1213", dotDecimal, std::nullopt},
        // Currency marks.
        {"US$ 5", dotDecimal, Want{"5", currency, "US$", 0, "5"}},
        {"5 US$", dotDecimal, Want{"5", currency, "US$", 0, "5"}},
        {"$5 €", dotDecimal, std::nullopt},
        {"5 USD usd", dotDecimal, Want{"5", currency, "USD", 0, "5"}},
        {"USD100", dotDecimal, Want{"100", currency, "USD", 0, "100"}},
        {"USDX5", dotDecimal, std::nullopt},
        {"100 kr", commaDecimal, Want{"100", currency, "kr", 0, "100"}},
        {"1.000 ₫", dotDecimal, std::nullopt},
        {"1.000 ₫", commaDecimal, Want{"1000", currency, "₫", 0, "1000"}},
        {"1.234.000 ₫", commaDecimal, Want{"1234000", currency, "₫", 0, "1234000"}},
        {"1.907.500 ₫", dotDecimal, std::nullopt},
        {"VNĐ 1.500.000", commaDecimal, Want{"1500000", currency, "VNĐ", 0, "1500000"}},
        {"1.500 vnđ", dotDecimal, std::nullopt},
        {"1.500 đ", commaDecimal, Want{"1500", currency, "đ", 0, "1500"}},
        {"¥472", dotDecimal, Want{"472", currency, "¥", 0, "472"}},
        {"2,33 EUR", commaDecimal, Want{"2.33", currency, "EUR", 2, "2.33"}},
        {"21.785,65 €", commaDecimal, Want{"21785.65", currency, "€", 2, "21785.65"}},
        {"$3,009.21", dotDecimal, Want{"3009.21", currency, "$", 2, "3009.21"}},
        {"-$1,234.50", dotDecimal, Want{"-1234.50", currency, "$", 2, "-1234.50"}},
        {"£12", dotDecimal, Want{"12", currency, "£", 0, "12"}},
        {"₹ 1,00,000", dotDecimal, std::nullopt},
        {"12 zł", commaDecimal, Want{"12", currency, "zł", 0, "12"}},
        // A decomposed "č" (c + combining caron) is the same character as the mark.
        {"1.234 Kc\u030C", commaDecimal, Want{"1234", currency, "Kč", 0, "1234"}},
        // Percentages.
        {"33,5 %", commaDecimal, Want{"33.5", percent, nullptr, 1, "33.5%"}},
        {"5.42%", dotDecimal, Want{"5.42", percent, nullptr, 2, "5.42%"}},
        {"%5", dotDecimal, Want{"5", percent, nullptr, 0, "5%"}},
        {"-12.5%", dotDecimal, Want{"-12.5", percent, nullptr, 1, "-12.5%"}},
        // Signs and wrappers.
        {"−(3)", dotDecimal, Want{"3", number, nullptr, 0, "3"}},
        {"(-5)", dotDecimal, Want{"5", number, nullptr, 0, "5"}},
        {"3-", dotDecimal, Want{"-3", number, nullptr, 0, "-3"}},
        {"[5]", dotDecimal, Want{"-5", number, nullptr, 0, "-5"}},
        {"+5", dotDecimal, Want{"5", number, nullptr, 0, "5"}},
        {"\u20137", dotDecimal, Want{"-7", number, nullptr, 0, "-7"}},
        {"\uFF0D7", dotDecimal, Want{"-7", number, nullptr, 0, "-7"}},
        {"((((((((((((5))))))))))))", dotDecimal, Want{"5", number, nullptr, 0, "5"}},  // 12 wrappers
        {"(((((((((((((5)))))))))))))", dotDecimal, std::nullopt},                      // 13
        // Multipliers.
        {"5 K", dotDecimal, Want{"5000", number, nullptr, 0, "5000"}},
        {"5KB", dotDecimal, std::nullopt},
        {"5k", dotDecimal, Want{"5000", number, nullptr, 0, "5000"}},
        {"1.5k", dotDecimal, Want{"1500", number, nullptr, 0, "1500"}},
        {"2bn", dotDecimal, Want{"2000000000", number, nullptr, 0, "2000000000"}},
        {"2Bn", dotDecimal, std::nullopt},
        {"-2k", dotDecimal, Want{"-2000", number, nullptr, 0, "-2000"}},
        {"1,5 mn", commaDecimal, Want{"1500000", number, nullptr, 0, "1500000"}},
        {"5%k", dotDecimal, std::nullopt},
        // Bodies and grouping.
        {"1.2.3", dotDecimal, std::nullopt},
        {"1.2.3", commaDecimal, std::nullopt},
        {"1'234.5", dotDecimal, Want{"1234.5", number, nullptr, 1, "1234.5"}},
        {"1’234,5", commaDecimal, Want{"1234.5", number, nullptr, 1, "1234.5"}},
        {"1 234,5", commaDecimal, Want{"1234.5", number, nullptr, 1, "1234.5"}},
        {"1\u00A0234,5", commaDecimal, Want{"1234.5", number, nullptr, 1, "1234.5"}},
        {"1\u202F234\u202F567", dotDecimal, Want{"1234567", number, nullptr, 0, "1234567"}},
        {"1\u2009234", dotDecimal, Want{"1234", number, nullptr, 0, "1234"}},
        {"1,234 567", dotDecimal, std::nullopt},
        {"12,34", dotDecimal, std::nullopt},
        {"1234,567", dotDecimal, std::nullopt},
        {"-0", dotDecimal, Want{"0", number, nullptr, 0, "0"}},
        {"007", dotDecimal, Want{"7", number, nullptr, 0, "7"}},
        {"0.50", dotDecimal, Want{"0.5", number, nullptr, 2, "0.50"}},
        {".5", dotDecimal, Want{"0.5", number, nullptr, 1, "0.5"}},
        {",5", commaDecimal, Want{"0.5", number, nullptr, 1, "0.5"}},
        {"  42 ", dotDecimal, Want{"42", number, nullptr, 0, "42"}},
        {"4 2", dotDecimal, std::nullopt},
        {"12345678901234567890123456789012345678", dotDecimal,
         Want{"12345678901234567890123456789012345678", number, nullptr, 0, "12345678901234567890123456789012345678"}},
    };
    return cases;
}

void checkParseCases()
{
    for (const auto& c : parseCases()) {
        SCOPED_TRACE(c.text + " / " + std::string(rawValue(c.style)));
        const auto got = NumberParser::parse(c.text, c.style);
        ASSERT_EQ(got.has_value(), c.want.has_value());
        if (!got)
            continue;
        EXPECT_EQ(got->value, *Decimal::parse(c.want->value)) << got->value.toString();
        EXPECT_EQ(got->kind, c.want->kind);
        EXPECT_EQ(got->currency, c.want->currency ? std::optional<std::string>(c.want->currency) : std::nullopt);
        EXPECT_EQ(got->fractionDigits, c.want->fractionDigits);
        EXPECT_EQ(got->normalized, c.want->normalized);
    }
}

TEST(NumberParser, ReadsTheCaseTable)
{
    checkParseCases();
}

// The process locale must not change a single reading.
TEST(NumberParser, ReadsTheCaseTableUnderACommaDecimalLocale)
{
    Testing::CommaLocale comma;
    ASSERT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
    if (comma.cLocaleSwitched()) {
        EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    }
    checkParseCases();
}

TEST(NumberParser, DecomposesIntoParts)
{
    const auto parts = NumberParser::decompose("(US$ 1,5 mn)");
    ASSERT_TRUE(parts);
    EXPECT_TRUE(parts->negative);
    EXPECT_FALSE(parts->percent);
    EXPECT_EQ(parts->currency, "US$");
    EXPECT_EQ(parts->multiplier, Decimal(1'000'000));
    EXPECT_EQ(parts->body, "1,5");
    EXPECT_FALSE(NumberParser::decompose("12 apples"));
}

TEST(NumberParser, NormalizesSpaces)
{
    const struct {
        std::string in, want;
    } cases[] = {
        {"  1 234  ", "1 234"},
        {"1\u00A0\u00A0234", "1 234"},
        {"1\u202F234\u2009567\u2007890", "1 234 567 890"},
        {"\t12\n\r\n34 ", "12 34"},
        {"a  b", "a b"},
        {"", ""},
        {"   ", ""},
        {"Tổng  cộng", "Tổng cộng"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(NumberParser::normalizeSpaces(c.in), c.want);
    }
}

TEST(NumberParser, CandidatesUnderBothStyles)
{
    const auto thousand = NumberParser::candidates("1,234");
    ASSERT_TRUE(thousand);
    EXPECT_TRUE(thousand->isAmbiguous());
    EXPECT_FALSE(thousand->onlyStyle());
    EXPECT_EQ(thousand->reading(commaDecimal)->normalized, "1.234");

    const auto plain = NumberParser::candidates("100");
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->isAmbiguous());

    const auto german = NumberParser::candidates("1.234,5");
    ASSERT_TRUE(german);
    EXPECT_EQ(german->onlyStyle(), commaDecimal);

    EXPECT_FALSE(NumberParser::candidates("1.2.3"));
    EXPECT_FALSE(NumberParser::candidates("Total"));
}

TEST(NumberParser, GuessesTheStyleByMajority)
{
    const struct {
        std::vector<std::string> texts;
        std::optional<NumberStyle> want;
        NumberStyleGuess counts;
    } cases[] = {
        {{"1,234.5", "2,000.75", "n/a"}, dotDecimal, {2, 0, 0, 0, 0, 0}},
        {{"1.234,5", "12,5 %", "7"}, commaDecimal, {0, 2, 0, 1, 0, 0}},
        // Only thousands-like tails: hints, but no verdict.
        {{"1,234", "2,500", "3,000", "4,100"}, std::nullopt, {0, 0, 4, 0, 4, 0}},
        // A strong tie is settled by the hints.
        {{"1,234.5", "1.234,5", "1,234"}, dotDecimal, {1, 1, 1, 0, 1, 0}},
        {{"1,234.5", "1.234,5", "1.234"}, commaDecimal, {1, 1, 1, 0, 0, 1}},
        {{"100", "200"}, std::nullopt, {0, 0, 0, 2, 0, 0}},
        {{}, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.texts));
        const NumberStyleGuess g = NumberParser::guessStyle(c.texts);
        EXPECT_EQ(g, c.counts);
        EXPECT_EQ(g.style(), c.want);
    }
    EXPECT_FALSE((NumberStyleGuess{0, 0, 0, 0, 4, 0}.style()));
    EXPECT_EQ((NumberStyleGuess{1, 2, 3, 4, 5, 6} + NumberStyleGuess{1, 1, 1, 1, 1, 1}), (NumberStyleGuess{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ((NumberStyleGuess{1, 2, 3, 4, 5, 6}.count()), 10);
}

TEST(NumberParser, FindsTheLeadingNumber)
{
    const struct {
        std::string text;
        NumberStyle style;
        const char* want;  // nullptr: none
    } cases[] = {
        {"12 apples", dotDecimal, "12"},
        {"1 234 kg", dotDecimal, "1234"},
        {"Total 12", dotDecimal, nullptr},
        {"1.234", commaDecimal, "1234"},
        {"12,5 % of sales", commaDecimal, "12.5"},
        {"5 apples 7", dotDecimal, "5"},
        {"apples", dotDecimal, nullptr},
        {"", dotDecimal, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto got = NumberParser::leadingNumber(c.text, c.style);
        ASSERT_EQ(got.has_value(), c.want != nullptr);
        if (got) {
            EXPECT_EQ(got->value, *Decimal::parse(c.want));
        }
    }
}

TEST(NumberParser, ParsedNumberRoundTripsThroughJSON)
{
    const auto n = NumberParser::parse("-1.234,50 €", commaDecimal);
    ASSERT_TRUE(n);
    const nlohmann::json j = nlohmann::json::parse(JSONIO::encode(*n));
    EXPECT_EQ(j.at("fraction_digits"), 2);
    EXPECT_EQ(j.at("currency"), "€");
    EXPECT_EQ(JSONIO::decode<ParsedNumber>(JSONIO::encode(*n)), *n);
    EXPECT_EQ(n->fraction(), *Decimal::parse("-1234.5"));
    EXPECT_EQ(NumberParser::parse("12,5%", commaDecimal)->fraction(), *Decimal::parse("0.125"));
}

TEST(NumberStyle, FollowsTheLocaleIdentifier)
{
    const struct {
        std::string id;
        NumberStyle want;
    } cases[] = {
        {"de_CH", dotDecimal}, {"it_CH", dotDecimal}, {"de-LI", dotDecimal}, {"de_DE", commaDecimal},
        {"vi", commaDecimal},  {"vi-VN", commaDecimal}, {"en_US", dotDecimal}, {"", dotDecimal},
        {"de_CH.UTF-8", dotDecimal}, {"fr_FR.UTF-8", commaDecimal}, {"ja_JP", dotDecimal}, {"pt-BR", commaDecimal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(numberStyle(c.id), c.want);
    }
    EXPECT_EQ(other(dotDecimal), commaDecimal);
    EXPECT_EQ(numberStyleFromRaw("comma_decimal"), commaDecimal);
    EXPECT_FALSE(numberStyleFromRaw("comma"));
}

}  // namespace
}  // namespace VozudOzev

namespace VozudOzev {
namespace {

// Random texts built from the pieces numbers are made of, plus raw bytes: nothing may
// throw, and every reading's normalised text must read back to the same value.
TEST(NumberParser, NormalizedTextReadsBackToTheSameValue)
{
    const std::vector<std::string> pieces = {"0", "1", "5", "9", "12", "007", ",", ".", " ", "'", "’", "-", "−", "(", ")",
                                             "[", "]", "+", "%", "$", "€", "₫", "USD", "usd", "k", "K", "M", "bn", "mn",
                                             "\u00A0", "\u202F", "a", "Đ", "\xC3", "\xFF", "\u0301", "\r\n", "\t"};
    std::mt19937 rng(42);
    int readings = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int count = 1 + static_cast<int>(rng() % 8);
        for (int k = 0; k < count; ++k)
            text += pieces[rng() % pieces.size()];
        SCOPED_TRACE(text);
        for (NumberStyle style : allNumberStyles) {
            const auto got = NumberParser::parse(text, style);
            (void)NumberParser::leadingNumber(text, style);
            if (!got)
                continue;
            ++readings;
            const auto again = NumberParser::parse(got->normalized, NumberStyle::dotDecimal);
            ASSERT_TRUE(again) << got->normalized;
            EXPECT_EQ(again->value, got->value) << got->normalized;
            EXPECT_EQ(again->normalized, got->normalized);
        }
        (void)NumberParser::candidates(text);
        (void)NumberParser::normalizeSpaces(text);
    }
    EXPECT_GT(readings, 1000);
}

// A long run of words is read in linear time, and a number at its start is still found.
TEST(NumberParser, LeadingNumberOfAPageOfWords)
{
    std::string page = "12";
    for (int i = 0; i < 20000; ++i)
        page += " lorem";
    EXPECT_EQ(NumberParser::leadingNumber(page, NumberStyle::dotDecimal)->value, Decimal(12));
    EXPECT_FALSE(NumberParser::leadingNumber("Total" + page, NumberStyle::dotDecimal));
}

}  // namespace
}  // namespace VozudOzev
