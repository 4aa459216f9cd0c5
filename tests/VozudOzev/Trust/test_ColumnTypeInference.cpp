#include "VozudOzev/Locale/TableLocaleResolver.hpp"
#include "VozudOzev/Trust/ColumnTypeInference.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VozudOzev {
namespace {

using Grid = std::vector<std::vector<std::string>>;

Grid column(const std::vector<std::string>& texts)
{
    Grid g;
    for (const auto& t : texts)
        g.push_back({t});
    return g;
}

std::vector<int> allRows(const Grid& g)
{
    std::vector<int> rows;
    for (int r = 0; r < static_cast<int>(g.size()); ++r)
        rows.push_back(r);
    return rows;
}

TEST(ColumnTypeInference, TypesAColumnByItsLargestFamily)
{
    const struct {
        std::string name;
        std::vector<std::string> texts;
        ColumnType type;
        double support;
        int count;
    } cases[] = {
        {"6 amounts, 4 words", {"1", "2", "3", "4", "5", "6", "a", "b", "c", "d"}, ColumnType::number, 0.6, 10},
        {"5 and 5", {"1", "2", "3", "4", "5", "a", "b", "c", "d", "e"}, ColumnType::text, 0.5, 10},
        {"3 currency, 3 plain", {"$1", "$2", "$3", "4", "5", "6"}, ColumnType::number, 1.0, 6},
        {"4 currency, 2 plain", {"$1", "$2", "$3", "$4", "5", "6"}, ColumnType::currency, 1.0, 6},
        {"percentages", {"5%", "6,5%", "7.5%", "n/a"}, ColumnType::percent, 1.0, 3},
        {"placeholders only", {"n/a", "—", "", "  "}, ColumnType::empty, 0.0, 0},
        {"foreign numbers count as numeric", {"1.234,5", "2.345,6", "1.5"}, ColumnType::number, 1.0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Grid g = column(c.texts);
        TableLocale locale;  // dot-decimal, day first
        locale.columns.resize(1);
        const auto types = ColumnTypeInference::infer(g, allRows(g), locale, ColumnTypeInference::defaultMinShare);
        ASSERT_EQ(types.size(), 1u);
        EXPECT_EQ(types[0].type, c.type);
        EXPECT_DOUBLE_EQ(types[0].support, c.support);
        EXPECT_EQ(types[0].valueCount, c.count);
    }
}

TEST(ColumnTypeInference, EqualDatesAndNumbersMakeADateColumn)
{
    // The tie goes to dates; at 0.5 support the default share of 0.6 still makes it text.
    const Grid g = column({"25/03/2024", "26/03/2024", "1", "2"});
    TableLocale locale;
    locale.columns.resize(1);
    EXPECT_EQ(ColumnTypeInference::infer(g, allRows(g), locale, 0.5)[0].type, ColumnType::date);
    const auto strict = ColumnTypeInference::infer(g, allRows(g), locale, 0.6)[0];
    EXPECT_EQ(strict.type, ColumnType::text);
    EXPECT_DOUBLE_EQ(strict.support, 0.0);
}

TEST(ColumnTypeInference, ShortRowsAndRowsPastTheEndCountNothing)
{
    const Grid g = {{"Name", "Amount"}, {"a", "1"}, {"b"}, {"c", "3"}};
    const TableLocale locale = TableLocaleResolver::resolve(g, 1, {});
    const auto types = ColumnTypeInference::infer(g, {1, 2, 3, 17}, locale, 0.6);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[1], (ColumnTypeInfo{1, ColumnType::number, 1.0, 2}));
    EXPECT_EQ(types[0].type, ColumnType::text);
    EXPECT_TRUE(ColumnTypeInference::infer({}, {}, locale, 0.6).empty());
}

TEST(ColumnTypeInference, JudgesMismatches)
{
    TableLocale locale;
    locale.columns.resize(1);
    const auto v = [&](const char* text) { return locale.classify(text, 0); };
    EXPECT_FALSE(ColumnTypeInference::isMismatch(v("abc"), ColumnType::text));
    EXPECT_FALSE(ColumnTypeInference::isMismatch(v("5"), ColumnType::empty));
    EXPECT_FALSE(ColumnTypeInference::isMismatch(v("n/a"), ColumnType::number));
    EXPECT_FALSE(ColumnTypeInference::isMismatch(v("$5"), ColumnType::number));
    EXPECT_TRUE(ColumnTypeInference::isMismatch(v("1.234,5"), ColumnType::number));
    EXPECT_TRUE(ColumnTypeInference::isMismatch(v("03/25/2024"), ColumnType::date));
    EXPECT_TRUE(ColumnTypeInference::isMismatch(v("5%"), ColumnType::currency));
    EXPECT_TRUE(ColumnTypeInference::isMismatch(v("abc"), ColumnType::date));
    EXPECT_EQ(ColumnTypeInference::family(v("5%")), ColumnFamily::percent);
    EXPECT_EQ(ColumnTypeInference::family(v("")), std::nullopt);
}

}  // namespace
}  // namespace VozudOzev
