#include "VozudOzev/Locale/TableLocaleResolver.hpp"
#include "VozudOzev/Trust/RowNumberCheck.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VozudOzev {
namespace {

using Grid = std::vector<std::vector<std::string>>;

TEST(RowNumberCheck, ReportsBlanksInARunningNumber)
{
    const struct {
        std::string name;
        std::vector<std::string> column;  // rows 1..n under a header row
        std::set<int> excluded;
        std::vector<GridPosition> want;
    } cases[] = {
        {"one gap", {"1", "2", "", "4", "5"}, {}, {{3, 0}}},
        {"blanks below the last number", {"1", "2", "3", "", ""}, {}, {}},
        {"only two numbers", {"1", "", "3"}, {}, {}},
        {"a text cell", {"1", "2", "", "4", "x"}, {}, {}},
        {"a currency mark", {"1", "2", "", "$4", "5"}, {}, {}},
        {"a placeholder", {"1", "2", "n/a", "4", "5"}, {}, {}},
        {"restarting", {"1", "2", "", "1", "2"}, {}, {}},
        {"skipping a row", {"1", "2", "4", "", "5"}, {}, {}},
        {"a fraction", {"1", "2", "", "4", "5.0"}, {}, {}},
        {"starting anywhere", {"", "11", "", "13", "14"}, {}, {{1, 0}, {3, 0}}},
        {"more gaps than numbers", {"1", "2", "3", "", "", "", "", "", "9"}, {}, {}},
        {"as many gaps as numbers", {"1", "2", "3", "", "", "", "7"}, {}, {{4, 0}, {5, 0}, {6, 0}}},
        {"a blank before number one", {"", "", "1", "2", "3"}, {}, {}},
        {"a total row left out", {"1", "2", "", "4", "Total"}, {5}, {{3, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Grid grid = {{"#"}};
        std::vector<int> rows;
        for (size_t i = 0; i < c.column.size(); ++i) {
            grid.push_back({c.column[i]});
            rows.push_back(static_cast<int>(i) + 1);
        }
        const TableLocale locale = TableLocaleResolver::resolve(grid, 1, {});
        EXPECT_EQ(RowNumberCheck::missingCells(grid, rows, locale, c.excluded), c.want);
    }
}

TEST(RowNumberCheck, OrdersByColumnAndToleratesShortRows)
{
    const Grid grid = {{"#", "No"}, {"1", "1"}, {"", "2"}, {"3"}, {"4", "4"}, {"5", "5"}};
    const TableLocale locale = TableLocaleResolver::resolve(grid, 1, {});
    const std::vector<GridPosition> want = {{2, 0}, {3, 1}};
    EXPECT_EQ(RowNumberCheck::missingCells(grid, {1, 2, 3, 4, 5, 99}, locale, {}), want);
    EXPECT_TRUE(RowNumberCheck::missingCells(grid, {}, locale, {}).empty());
}

}  // namespace
}  // namespace VozudOzev
