#include "VozudOzev/Locale/Decimal.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <gtest/gtest.h>
#include <string>

namespace VozudOzev {
namespace {

Decimal d(std::string_view text)
{
    return *Decimal::parse(text);
}

TEST(Decimal, ParsesAndRendersPlainText)
{
    const struct {
        std::string in, want;
    } cases[] = {
        {"0", "0"},
        {"-0", "0"},
        {"007", "7"},
        {"1234.5600", "1234.56"},
        {".5", "0.5"},
        {"5.", "5"},
        {"-0.001", "-0.001"},
        {"+12", "12"},
        {"1500000", "1500000"},
        {"99999999999999999999999999999999999999", "99999999999999999999999999999999999999"},
        {"0.00000000000000000000000000000000000000000001", "0.00000000000000000000000000000000000000000001"},
        // Past 38 significant digits: rounded half to even.
        {"123456789012345678901234567890123456785", "123456789012345678901234567890123456780"},
        {"123456789012345678901234567890123456775", "123456789012345678901234567890123456780"},
        {"123456789012345678901234567890123456775000001", "123456789012345678901234567890123456780000000"},
        {"999999999999999999999999999999999999995", "1000000000000000000000000000000000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        const auto got = Decimal::parse(c.in);
        ASSERT_TRUE(got);
        EXPECT_EQ(got->toString(), c.want);
    }
    for (const char* bad : {"", "-", ".", "1.2.3", "1,5", "1e5", " 1", "١٢"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(Decimal::parse(bad));
    }
}

TEST(Decimal, AddsExactly)
{
    EXPECT_EQ(d("0.1") + d("0.2"), d("0.3"));
    EXPECT_EQ((d("1.25") + d("2.50")).toString(), "3.75");
    EXPECT_EQ((d("10") - d("10.01")).toString(), "-0.01");
    EXPECT_EQ((d("-5") + d("5")).toString(), "0");
    EXPECT_EQ((d("1") + Decimal::pow10(-30)).toString(), "1.000000000000000000000000000001");
    // Far apart: the smaller one is rounded away at 38 digits.
    EXPECT_EQ((d("1" + std::string(37, '0')) + d("0.4")).toString(), "1" + std::string(37, '0'));
    Decimal sum;
    for (int i = 0; i < 1000; ++i)
        sum += d("0.01");
    EXPECT_EQ(sum, Decimal(10));
}

TEST(Decimal, MultipliesAndScales)
{
    EXPECT_EQ((d("1.5") * Decimal(1'000'000)).toString(), "1500000");
    EXPECT_EQ((d("-2") * Decimal(1000)).toString(), "-2000");
    EXPECT_EQ((d("12.5") * Decimal::pow10(-2)).toString(), "0.125");
    EXPECT_EQ((d("0.005") * Decimal(3)).toString(), "0.015");
    EXPECT_EQ(Decimal::pow10(3), Decimal(1000));
    const Decimal big = d("12345678901234567890123456789");
    EXPECT_EQ((big * big).toString().size(), 57u);  // rounded to 38 digits, no overflow
}

TEST(Decimal, ComparesNumerically)
{
    EXPECT_EQ(d("1.50"), d("1.5"));
    EXPECT_EQ(d("-0"), d("0"));
    EXPECT_LT(d("-2"), d("-1.5"));
    EXPECT_LT(d("0.999"), d("1"));
    EXPECT_GT(d("100"), d("99.99999999999999999999999999999999999"));
    EXPECT_LT(d("-100"), d("0.0001"));
    EXPECT_EQ(d("1.25").abs(), d("-1.25").abs());
    EXPECT_TRUE(d("-0.0").isZero());
    EXPECT_FALSE(d("-0.0").isNegative());
}

TEST(Decimal, ConvertsToDoubleAndJSON)
{
    EXPECT_DOUBLE_EQ(d("1234.56").toDouble(), 1234.56);
    EXPECT_EQ(JSONIO::write(nlohmann::json(d("30"))), "30");
    EXPECT_EQ(JSONIO::write(nlohmann::json(d("-3.75"))), "-3.75");
    EXPECT_EQ(JSONIO::decode<Decimal>("3.76"), d("3.76"));
    EXPECT_EQ(JSONIO::decode<Decimal>("\"0.015\""), d("0.015"));
    EXPECT_EQ(JSONIO::decode<Decimal>("-12"), Decimal(-12));
    EXPECT_THROW(JSONIO::decode<Decimal>("\"abc\""), JSONIO::DecodingError);
    EXPECT_EQ(JSONIO::decode<Decimal>("1e300").toString().size(), 301u);
}

}  // namespace
}  // namespace VozudOzev
