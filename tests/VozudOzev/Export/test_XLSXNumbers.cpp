#include "VozudOzev/Export/XLSXNumbers.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"
#include "VozudOzev/Locale/NumberParser.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

TEST(XLSXNumbers, SimpleNumber)
{
    const struct {
        const char* text;
        std::optional<double> want;
    } cases[] = {
        {"12", 12},
        {" 12.5\n", 12.5},
        {"1,234.567", 1234.567},
        {"1234.567", 1234.567},
        {"0.234", 0.234},
        {"12.34", 12.34},
        {".5", 0.5},
        {"0", 0},
        {"0.000123", 0.000123},
        {"(1,200)", -1200},
        {"(+5)", -5},
        {"-3", -3},
        {"\u221212", -12},
        {"+7", 7},
        {"123456789012345", 123456789012345.0},
        {"0.123456789012345", 0.123456789012345},
        // The point could group thousands.
        {"1.234", std::nullopt},
        {"-1.234", std::nullopt},
        {"1,2345", std::nullopt},
        {"12,34", std::nullopt},
        {",123", std::nullopt},
        {"1,,234", std::nullopt},
        {"007", std::nullopt},
        {"0,123", std::nullopt},
        {"5.", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1.2a", std::nullopt},
        {"(-5)", std::nullopt},
        {"-(5)", std::nullopt},
        {"--5", std::nullopt},
        {"\u2212\u22125", std::nullopt},
        {"+", std::nullopt},
        {"()", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"$12", std::nullopt},
        {"12%", std::nullopt},
        {"1 234", std::nullopt},
        {"1234567890123456", std::nullopt},  // 16 significant digits
        {"0.0000000000000000000000000001", 1e-28},  // leading zeros are not significant
        {"0.0000000000000000000000000000001", std::nullopt},  // 33 characters
        {"\u2212000000000000000000000000000.1", std::nullopt},  // leading zeros, whatever the length
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(XLSXWriter::simpleNumber(c.text), c.want);
    }
}

TEST(XLSXNumbers, MustStayText)
{
    const struct {
        const char* text;
        bool want;
    } cases[] = {
        {"[1]", true},
        {"12]", true},
        {"1234567890123456", true},  // 16 ASCII digits
        {"1234 5678 9012 3456", true},
        {"123456789012345", false},
        {"0042", true},
        {"-0123", true},
        {"(01)", true},
        {"5k", true},
        {"1,5 mn", true},
        {"$2.5M", true},
        {"0", false},
        {"0.42", false},
        {"0,75", false},
        {"10", false},
        {"SKU-0", false},
        {"\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669\u0660\u0661\u0662\u0663\u0664\u0665\u0666", false},  // not ASCII digits
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(XLSXNumbers::mustStayText(c.text), c.want);
    }
}

TEST(XLSXNumbers, ValueFollowsTheResolvedStyleAndItsSource)
{
    TableLocale locale;
    locale.tableNumberStyle = NumberStyle::commaDecimal;
    locale.tableNumberSource = LocaleSource::table;
    const auto column = [](NumberStyle style, LocaleSource source) {
        ColumnLocale c;
        c.numberStyle = style;
        c.numberSource = source;
        return c;
    };
    locale.columns = {
        column(NumberStyle::commaDecimal, LocaleSource::column),    // 0
        column(NumberStyle::dotDecimal, LocaleSource::table),       // 1
        column(NumberStyle::commaDecimal, LocaleSource::override),  // 2
        column(NumberStyle::dotDecimal, LocaleSource::fallback),    // 3
        column(NumberStyle::commaDecimal, LocaleSource::fallback),  // 4
    };
    const struct {
        const char* text;
        int col;
        std::optional<double> want;
    } cases[] = {
        // Two different readings: a settled style picks one...
        {"1.234", 0, 1234},
        {"1.234", 1, 1.234},
        {"1.234", 2, 1234},
        {"1,234", 1, 1234},
        // ...a fallback cannot.
        {"1.234", 3, std::nullopt},
        {"1.234", 4, std::nullopt},
        // One reading only, or two equal ones: fine under a fallback.
        {"1.234,5", 4, 1234.5},
        {"1.234,5", 3, std::nullopt},  // the dot style cannot read it
        {"1,234.5", 3, 1234.5},
        {"12", 3, 12},
        {"-7", 4, -7},
        {"(1.200,50)", 0, -1200.5},
        // Outside the columns: the table's style and source.
        {"1.234", 7, 1234},
        {"1.234", -1, 1234},
        // Text whatever the column.
        {"0042", 0, std::nullopt},
        {"[1]", 1, std::nullopt},
        {"12345678901234567", 1, std::nullopt},
        {"5k", 1, std::nullopt},
        {"1.234,50 \u20AC", 0, std::nullopt},
        {"1.234.000 \u20AB", 0, std::nullopt},
        {"12,5 %", 0, std::nullopt},
        {"$1,234.50", 1, std::nullopt},
        {"Tổng", 0, std::nullopt},
        {"", 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in column " + std::to_string(c.col));
        EXPECT_EQ(XLSXNumbers::value(c.text, c.col, locale), c.want);
    }
}

TEST(XLSXNumbers, CellParserResolvesTheTableOnce)
{
    const auto table = [](std::vector<std::vector<std::string>> body) {
        Table t;
        t.rows = static_cast<int>(body.size()) + 1;
        t.cols = 2;
        t.cells = {Cell{0, 0, 1, 1, "Betrag", std::nullopt, std::nullopt, std::nullopt, true},
                   Cell{0, 1, 1, 1, "Menge", std::nullopt, std::nullopt, std::nullopt, true}};
        for (size_t r = 0; r < body.size(); ++r)
            for (size_t c = 0; c < body[r].size(); ++c)
                t.cells.push_back(Cell{static_cast<int>(r) + 1, static_cast<int>(c), 1, 1, body[r][c]});
        return t;
    };
    // Column 0 proves the comma style, which settles column 1 too.
    const Table comma = table({{"1.234,50", "1.234"}, {"17,25", "7"}, {"2.000", "0042"}});
    const auto read = XLSXNumbers::cellParser(comma, 1, LocaleOverrides{});
    EXPECT_EQ(read("1.234,50", 0), 1234.5);
    EXPECT_EQ(read("2.000", 0), 2000);
    EXPECT_EQ(read("1.234", 1), 1234);
    EXPECT_EQ(read("7", 1), 7);
    EXPECT_EQ(read("0042", 1), std::nullopt);

    // Nothing decides between 1.234 and 1234: the text stays text, unless overridden.
    const Table unsure = table({{"1.234", "7"}, {"2.500", "8"}});
    EXPECT_EQ(XLSXNumbers::cellParser(unsure, 1, LocaleOverrides{})("1.234", 0), std::nullopt);
    EXPECT_EQ(XLSXNumbers::cellParser(unsure, 1, LocaleOverrides{})("7", 1), 7);
    LocaleOverrides dot;
    dot.columnNumberStyle[0] = NumberStyle::dotDecimal;
    EXPECT_EQ(XLSXNumbers::cellParser(unsure, 1, dot)("1.234", 0), 1.234);
    LocaleOverrides german;
    german.numberStyle = NumberStyle::commaDecimal;
    EXPECT_EQ(XLSXNumbers::cellParser(unsure, 1, german)("1.234", 0), 1234);
}

// value() takes each cell apart once; it must answer as the rules read step by step do.
TEST(XLSXNumbers, ValueAgreesWithTheStepByStepRules)
{
    const auto stepByStep = [](std::string_view text, const ColumnLocale& column) -> std::optional<double> {
        if (XLSXNumbers::mustStayText(text))
            return std::nullopt;
        const auto parts = NumberParser::decompose(text);
        if (!parts)
            return std::nullopt;
        const auto dot = NumberParser::build(*parts, NumberStyle::dotDecimal);
        const auto comma = NumberParser::build(*parts, NumberStyle::commaDecimal);
        if (!dot && !comma)
            return std::nullopt;
        if (dot && comma && dot->value != comma->value && column.numberSource == LocaleSource::fallback)
            return std::nullopt;
        const auto& chosen = column.numberStyle == NumberStyle::commaDecimal ? comma : dot;
        if (!chosen || chosen->kind != NumberKind::number)
            return std::nullopt;
        return chosen->value.toDouble();
    };
    const char* texts[] = {"0 42", "0\u00A042", " 007", "1 234,5", "1\u202F234", "[1]", "12 k", "5 mn", "1.234",
                           "(0,5)", "\u22121.234,5", "0,5", "00", "1e5", "12.345.678,9", "\u20AB 1.000", "100%",
                           "1,234.5", "  12  ", "12345678901234 5", "0.000", "-0", "1.234.567", "2,5 tr"};
    for (const NumberStyle style : allNumberStyles)
        for (const LocaleSource source : {LocaleSource::override, LocaleSource::column, LocaleSource::table, LocaleSource::fallback}) {
            TableLocale locale;
            ColumnLocale column;
            column.numberStyle = style;
            column.numberSource = source;
            locale.columns = {column};
            for (const char* text : texts) {
                SCOPED_TRACE(std::string(text) + " " + std::string(rawValue(style)) + " " + std::string(rawValue(source)));
                EXPECT_EQ(XLSXNumbers::value(text, 0, locale), stepByStep(text, column));
            }
        }
}
