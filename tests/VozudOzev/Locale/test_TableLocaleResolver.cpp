#include "VozudOzev/Locale/CommaLocale.hpp"
#include "VozudOzev/Locale/TableLocaleResolver.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VozudOzev {
namespace {

using Grid = std::vector<std::vector<std::string>>;
using NumberStyle::commaDecimal;
using NumberStyle::dotDecimal;
using Kind = CellValue::Kind;

LocaleOverrides withLocale(const char* id)
{
    LocaleOverrides o;
    o.defaultLocale = id;
    return o;
}

TEST(TableLocaleResolver, EmptyGridKeepsOnlyTheTableStyle)
{
    const struct {
        std::string name;
        LocaleOverrides overrides;
        NumberStyle style;
        LocaleSource source;
    } cases[] = {
        {"plain fallback", {}, dotDecimal, LocaleSource::fallback},
        {"fallback of the locale", withLocale("de_DE"), commaDecimal, LocaleSource::fallback},
        {"override", LocaleOverrides{commaDecimal, {}, {}, {}, {}}, commaDecimal, LocaleSource::override},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TableLocale t = TableLocaleResolver::resolve(Grid{}, 0, c.overrides);
        EXPECT_EQ(t.tableNumberStyle, c.style);
        EXPECT_EQ(t.tableNumberSource, c.source);
        EXPECT_TRUE(t.columns.empty());
    }
    // Header rows only: no evidence, but the columns exist.
    const TableLocale headers = TableLocaleResolver::resolve(Grid{{"Name", "Amount"}}, 1, withLocale("vi_VN"));
    EXPECT_EQ(headers.tableNumberSource, LocaleSource::fallback);
    EXPECT_EQ(headers.tableNumberStyle, commaDecimal);
    ASSERT_EQ(headers.columns.size(), 2u);
    EXPECT_EQ(headers.columns[1].date.order, DateOrder::dmy);
    EXPECT_EQ(headers.columns[1].dateSource, LocaleSource::fallback);
}

TEST(TableLocaleResolver, AColumnGoesItsOwnWayOnlyOnClearEvidence)
{
    const Grid three = {{"Item", "Rate"},        {"1,234.5", "1,5"}, {"2,345.6", "2,5"},
                        {"3,456.7", "3,5"},      {"4,567.8", ""},    {"9,999.9", "n/a"}};
    const TableLocale t3 = TableLocaleResolver::resolve(three, 1, {});
    EXPECT_EQ(t3.tableNumberStyle, dotDecimal);
    EXPECT_EQ(t3.tableNumberSource, LocaleSource::table);
    EXPECT_EQ(t3.columns[0].numberStyle, dotDecimal);
    EXPECT_EQ(t3.columns[0].numberSource, LocaleSource::column);
    EXPECT_EQ(t3.columns[1].numberStyle, commaDecimal);
    EXPECT_EQ(t3.columns[1].numberSource, LocaleSource::column);

    Grid two = three;
    two[3][1] = "";
    const TableLocale t2 = TableLocaleResolver::resolve(two, 1, {});
    EXPECT_EQ(t2.columns[1].numberStyle, dotDecimal);
    EXPECT_EQ(t2.columns[1].numberSource, LocaleSource::table);
}

TEST(TableLocaleResolver, OverridesWinInOrder)
{
    const Grid grid = {{"1,234.5", "1,234.5", "25/03/2024"}, {"2,345.6", "2,345.6", "05/03/2024"}};
    LocaleOverrides o;
    o.numberStyle = commaDecimal;
    o.columnNumberStyle[1] = dotDecimal;
    o.dateOrder = DateOrder::mdy;
    o.columnDateOrder[0] = DateOrder::ymd;
    const TableLocale t = TableLocaleResolver::resolve(grid, 0, o);
    EXPECT_EQ(t.tableNumberSource, LocaleSource::override);
    // The table override silences a column's own lean.
    EXPECT_EQ(t.columns[0].numberStyle, commaDecimal);
    EXPECT_EQ(t.columns[0].numberSource, LocaleSource::override);
    EXPECT_EQ(t.columns[1].numberStyle, dotDecimal);
    EXPECT_EQ(t.columns[0].date.order, DateOrder::ymd);
    EXPECT_EQ(t.columns[2].date.order, DateOrder::mdy);
    EXPECT_EQ(t.columns[2].dateSource, LocaleSource::override);
    EXPECT_EQ(t.columns[2].date.dayFirstOnly, 1);  // counts are still taken
}

TEST(TableLocaleResolver, MarksUndecidedFallbackColumnsAmbiguous)
{
    const Grid grid = {{"1,234", "7"}, {"2,500", "8"}};
    const TableLocale t = TableLocaleResolver::resolve(grid, 0, withLocale("en_US"));
    EXPECT_EQ(t.tableNumberSource, LocaleSource::fallback);
    EXPECT_TRUE(t.columns[0].numberAmbiguous);
    EXPECT_FALSE(t.columns[1].numberAmbiguous);
    EXPECT_EQ(t.columns[0].date.order, DateOrder::mdy);  // the fallback of en_US
}

TEST(TableLocaleResolver, DatesAreNoNumberEvidence)
{
    // "7.3.2023" would otherwise look like neither style; "12.05.2024" like nothing either.
    const Grid grid = {{"Datum", "Betrag"}, {"7.3.2023", "1.529,00 €"}, {"18.09.2023", "85,00 €"}, {"12.6.2024", "6,70 €"}};
    const TableLocale t = TableLocaleResolver::resolve(grid, 1, {});
    EXPECT_EQ(t.tableNumberStyle, commaDecimal);
    EXPECT_EQ(t.columns[0].date.order, DateOrder::dmy);
    EXPECT_EQ(t.columns[0].dateSource, LocaleSource::column);
    EXPECT_EQ(t.columns[0].date.dayFirstOnly, 1);
    EXPECT_EQ(t.columns[0].date.ambiguousCount, 2);
    EXPECT_EQ(t.columns[1].dateSource, LocaleSource::fallback);
}

// Three tables in the styles of the corpus: each one resolves the same under any
// process locale.
void checkCorpusStyles()
{
    const Grid vietnamese = {{"#", "Nhân viên", "Chi phí", "Tỷ lệ", "Hệ số"},
                             {"1", "Vũ Đức Thắng", "7.772.000 ₫", "18,5%", "1,87"},
                             {"2", "Lê Thị Hoa", "1.907.500 ₫", "2,5%", "1,31"},
                             {"3", "Trần Văn Nam", "174.500 ₫", "33%", "14,165"},
                             {"", "Tổng", "9.854.000 ₫", "", ""}};
    const TableLocale vi = TableLocaleResolver::resolve(vietnamese, 1, withLocale("en_US"));
    EXPECT_EQ(vi.tableNumberStyle, commaDecimal);
    EXPECT_EQ(vi.tableNumberSource, LocaleSource::table);
    EXPECT_EQ(vi.normalizedGrid(vietnamese, 1)[1], (std::vector<std::string>{"1", "Vũ Đức Thắng", "7772000", "18.5%", "1.87"}));
    EXPECT_EQ(vi.normalizedText("14,165", 4), "14.165");

    const Grid american = {{"Date", "Amount", "Share"}, {"07/28/2023", "$3,009.21", "5.42%"}, {"01/05/2024", "688.78", "35.5%"},
                           {"08/09/2024", "2,538,810", "12%"}};
    const TableLocale us = TableLocaleResolver::resolve(american, 1, withLocale("vi_VN"));
    EXPECT_EQ(us.tableNumberStyle, dotDecimal);
    EXPECT_EQ(us.columns[0].date.order, DateOrder::mdy);
    EXPECT_EQ(us.normalizedGrid(american, 1)[1], (std::vector<std::string>{"2023-07-28", "3009.21", "5.42%"}));
    EXPECT_EQ(us.normalizedText("01/05/2024", 0), "2024-01-05");

    const Grid german = {{"Datum", "Preis"}, {"09.12.2023", "2.071,41 EUR"}, {"19.3.2024", "33,5 %"}, {"10.06.2023", "1.234,23 EUR"}};
    const TableLocale de = TableLocaleResolver::resolve(german, 1, {});
    EXPECT_EQ(de.tableNumberStyle, commaDecimal);
    EXPECT_EQ(de.columns[0].date.order, DateOrder::dmy);
    EXPECT_EQ(de.normalizedText("09.12.2023", 0), "2023-12-09");
    EXPECT_EQ(de.normalizedText("2.071,41 EUR", 1), "2071.41");
}

TEST(TableLocaleResolver, ResolvesTablesInTheCorpusStyles)
{
    checkCorpusStyles();
}

TEST(TableLocaleResolver, ResolvesTheSameUnderACommaDecimalLocale)
{
    Testing::CommaLocale comma;
    checkCorpusStyles();
}

TEST(TableLocaleResolver, ReadsATable)
{
    Table table;
    table.rows = 2;
    table.cols = 1;
    for (const auto& [row, text] : {std::pair{0, "Betrag"}, {1, "1.234,5"}}) {
        Cell cell;
        cell.row = row;
        cell.text = text;
        table.cells.push_back(cell);
    }
    const TableLocale t = TableLocaleResolver::resolve(table, 1, {});
    EXPECT_EQ(t.tableNumberStyle, commaDecimal);
}

TableLocale mixedLocale()
{
    TableLocale t;
    t.tableNumberStyle = dotDecimal;
    t.tableNumberSource = LocaleSource::table;
    ColumnLocale dmyDot;
    dmyDot.date.order = DateOrder::dmy;
    ColumnLocale mdyComma;
    mdyComma.numberStyle = commaDecimal;
    mdyComma.date.order = DateOrder::mdy;
    ColumnLocale ymd;
    ymd.date.order = DateOrder::ymd;
    t.columns = {dmyDot, mdyComma, ymd};
    return t;
}

TEST(TableLocale, ClassifiesCells)
{
    const TableLocale t = mixedLocale();
    const struct {
        std::string text;
        int col;
        Kind kind;
        const char* normalized;  // nullptr: the text unchanged
    } cases[] = {
        {"", 0, Kind::empty, nullptr},
        {" \u00A0 ", 0, Kind::empty, nullptr},
        {"—", 0, Kind::placeholder, nullptr},
        {"N/A", 1, Kind::placeholder, nullptr},
        {" n.a. ", 1, Kind::placeholder, nullptr},
        {"Đ/C", 0, Kind::placeholder, nullptr},
        {"NULL", 0, Kind::placeholder, nullptr},
        {"25/03/2024", 0, Kind::date, "2024-03-25"},
        {"03/25/2024", 0, Kind::foreignDate, nullptr},
        {"05/03/2024", 0, Kind::date, "2024-03-05"},
        {"05/03/2024", 1, Kind::date, "2024-05-03"},
        {"25/03/2024", 1, Kind::foreignDate, nullptr},
        {"2024-03-05", 1, Kind::date, "2024-03-05"},
        {"05/03/2024", 2, Kind::date, "2024-03-05"},
        {"03/25/2024", 2, Kind::date, "2024-03-25"},
        {"1,234.5", 0, Kind::number, "1234.5"},
        {"1.234,5", 0, Kind::foreignNumber, nullptr},
        {"1.234,5", 1, Kind::number, "1234.5"},
        {" 1 234 ", 0, Kind::number, "1234"},
        {"abc", 0, Kind::text, nullptr},
        {"  Tổng  cộng ", 0, Kind::text, nullptr},
        {"1.2.3", 0, Kind::text, nullptr},
        {"12 apples", 0, Kind::text, nullptr},
        // Beyond the resolved columns: the table style and day first.
        {"1,5", 7, Kind::foreignNumber, nullptr},
        {"1.5", 7, Kind::number, "1.5"},
        {"05/03/2024", 7, Kind::date, "2024-03-05"},
        {"1.5", -1, Kind::number, "1.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " @" + std::to_string(c.col));
        EXPECT_EQ(t.classify(c.text, c.col).kind, c.kind);
        EXPECT_EQ(t.normalizedText(c.text, c.col), c.normalized ? c.normalized : c.text);
    }
    const CellValue foreign = t.classify("1.234,5", 0);
    ASSERT_TRUE(foreign.number);
    EXPECT_EQ(foreign.number->value, *Decimal::parse("1234.5"));
    EXPECT_EQ(t.classify("03/25/2024", 0).date, (ParsedDate{2024, 3, 25}));
}

TEST(TableLocale, NormalizesBodyRowsOnly)
{
    const TableLocale t = mixedLocale();
    const Grid grid = {{"1,234.5", "05/03/2024"}, {"1,234.5", "05/03/2024", "x", "extra"}, {}, {"03/25/2024"}};
    const Grid want = {{"1,234.5", "05/03/2024"}, {"1234.5", "2024-05-03", "x", "extra"}, {}, {"03/25/2024"}};
    EXPECT_EQ(t.normalizedGrid(grid, 1), want);
    EXPECT_EQ(t.normalizedGrid(grid, 9), grid);
}

TEST(TableLocale, OutsideColumnsIsNeutral)
{
    const TableLocale t = mixedLocale();
    const ColumnLocale neutral = t.locale(5);
    EXPECT_EQ(neutral.numberStyle, dotDecimal);
    EXPECT_EQ(neutral.numberSource, LocaleSource::override);
    EXPECT_FALSE(neutral.numberAmbiguous);
    EXPECT_EQ(neutral.date, DateColumnResolution{});
    EXPECT_EQ(t.locale(1).numberStyle, commaDecimal);
    EXPECT_TRUE(TableLocale::isPlaceholder("  --- "));
    EXPECT_FALSE(TableLocale::isPlaceholder("-5"));
}

TEST(TableLocale, RoundTripsThroughJSON)
{
    const Grid grid = {{"Datum", "Preis"}, {"09.12.2023", "2.071,41 EUR"}};
    LocaleOverrides o = withLocale("de_DE");
    o.columnNumberStyle[3] = dotDecimal;
    o.columnDateOrder[0] = DateOrder::ymd;
    const TableLocale t = TableLocaleResolver::resolve(grid, 1, o);
    EXPECT_EQ(JSONIO::decode<TableLocale>(JSONIO::encode(t)), t);
    EXPECT_EQ(JSONIO::decode<LocaleOverrides>(JSONIO::encode(o)), o);
    const nlohmann::json j = nlohmann::json::parse(JSONIO::encode(t));
    EXPECT_EQ(j.at("columns").at(1).at("number_style"), "comma_decimal");
    EXPECT_EQ(j.at("columns").at(0).at("date").at("order"), "ymd");
    const CellValue v = t.classify("2.071,41 EUR", 1);
    EXPECT_EQ(JSONIO::decode<CellValue>(JSONIO::encode(v)), v);
    EXPECT_THROW(JSONIO::decode<CellValue>(R"({"kind": "number"})"), JSONIO::DecodingError);
}

}  // namespace
}  // namespace VozudOzev
