#include "VozudOzev/Repair/DecimalSeparatorCheck.hpp"

#include <gtest/gtest.h>

#include <map>

using namespace VozudOzev;

namespace {

std::vector<AssembledCell> column(const std::vector<std::string>& texts)
{
    std::vector<AssembledCell> cells;
    for (size_t i = 0; i < texts.size(); ++i) {
        AssembledCell c;
        c.row = static_cast<int>(i);
        c.text = texts[i];
        c.confidence = 0.9;
        c.box = BBox{0, 10.0 * static_cast<double>(i), 40, 10};
        cells.push_back(c);
    }
    return cells;
}

}  // namespace

TEST(DecimalSeparatorCheck, RereadsPointDecimalsInACommaColumn)
{
    const struct {
        const char* name;
        std::vector<std::string> texts;
        bool preferComma, extended;
        std::map<int, std::string> answers;  // by row
        DecimalSeparatorCheck::Counts want;
        std::vector<std::string> wantTexts;
    } cases[] = {
        {"confirmed", {"12,5", "3,25", "7.5"}, false, false, {{2, "7,5"}}, {1, 0, 0}, {"12,5", "3,25", "7,5"}},
        {"re-read with other digits", {"12,5", "3,25", "7.5"}, false, false, {{2, "7,6"}}, {0, 1, 0},
         {"12,5", "3,25", "7.5"}},
        {"re-read gives nothing", {"12,5", "1.234.567", "7.5"}, false, false, {}, {0, 1, 0},
         {"12,5", "1.234.567", "7.5"}},
        {"point column", {"12.5", "3.25", "7,5"}, false, false, {{2, "7,5"}}, {0, 0, 0}, {"12.5", "3.25", "7,5"}},
        {"one comma is too little", {"12,5", "7.5"}, true, false, {}, {0, 0, 0}, {"12,5", "7.5"}},
        {"extended: a tie goes to the preferred comma", {"12,5", "7.5"}, true, true, {{1, "7,5"}}, {1, 0, 0},
         {"12,5", "7,5"}},
        {"extended, no preference", {"12,5", "7.5"}, false, true, {}, {0, 0, 0}, {"12,5", "7.5"}},
        {"ambiguous groups are no evidence", {"1.234", "5,678", "7.5"}, true, true, {}, {0, 0, 0},
         {"1.234", "5,678", "7.5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<AssembledCell> cells = column(c.texts);
        const CropReading::Reader reread = [&](const BBox& box) -> std::optional<std::string> {
            auto it = c.answers.find(static_cast<int>(box.y / 10));
            return it == c.answers.end() ? std::nullopt : std::optional(it->second);
        };
        EXPECT_EQ(DecimalSeparatorCheck::apply(cells, {.preferComma = c.preferComma, .extended = c.extended}, reread), c.want);
        for (size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(cells[i].text, c.wantTexts[i]);
            const bool touched = c.want.total() > 0 && i + 1 == cells.size();
            EXPECT_EQ(cells[i].confidence, touched ? 0.5 : 0.9) << i;
        }
    }
}

TEST(DecimalSeparatorCheck, CellWithoutBoxIsFlagged)
{
    std::vector<AssembledCell> cells = column({"12,5", "3,25", "7.5"});
    cells[2].box.reset();
    int calls = 0;
    const CropReading::Reader reread = [&](const BBox&) -> std::optional<std::string> {
        ++calls;
        return std::nullopt;
    };
    EXPECT_EQ(DecimalSeparatorCheck::apply(cells, {}, reread), (DecimalSeparatorCheck::Counts{0, 0, 1}));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(cells[2].confidence, 0.5);
}
