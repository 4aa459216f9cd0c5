#include "VozudOzev/Repair/NumberRules.hpp"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

using namespace VozudOzev;

namespace {

AssembledCell body(int row, int col, std::string text, std::optional<BBox> box = BBox{0, 0, 50, 20})
{
    AssembledCell c;
    c.row = row;
    c.col = col;
    c.text = std::move(text);
    c.confidence = 0.95;
    c.box = box;
    return c;
}

}  // namespace

TEST(NumberRules, NumberShapes)
{
    const struct {
        const char* token;
        bool wellFormed, malformed;
    } cases[] = {
        {"1234", true, false},        {"12.5", true, false},      {"1.234", true, false},
        {"1.234.567", true, false},   {"1,234,567.89", true, false}, {"1.234.567,89", true, false},
        {"-1.234,5", true, false},    {"(1,234)", true, false},   {"12,5%", true, false},
        {"1,25,000", true, false},    {"$1,234", true, false},    {"1.000đ", true, false},
        {"1.25.000", false, true},    {"12,345,67", false, true}, {"1.234,567,8", false, true},
        {"12.05.2024", false, false}, {"4.1.2", false, false},     {"1..000", false, false},
        {"12:30", false, false},      {"abc", false, false},       {"", false, false},
        {"1.", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(NumberRules::isWellFormedNumber(c.token), c.wellFormed);
        EXPECT_EQ(NumberRules::isMalformedNumber(c.token), c.malformed);
    }
}

TEST(NumberRules, JoinSplitGroups)
{
    const struct {
        std::string in, want;
    } cases[] = {
        {"1.250. 000", "1.250.000"},
        {"1. 250.000", "1.250.000"},
        {"1,250 ,000", "1,250,000"},
        {"1. 250. 000 đ", "1.250.000 đ"},
        {"Total 1.250. 000", "Total 1.250.000"},
        {"12. 500", "12. 500"},           // one separator: could be a numbered item
        {"1.25. 000", "1.25. 000"},       // the joined number would be malformed
        {"1.250. 00", "1.250. 00"},
        {"12 500", "12 500"},             // blanks never join by themselves
        {"3. Apples", "3. Apples"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(NumberRules::joinSplitGroups(c.in), c.want);
    }
}

TEST(NumberRules, UnifyCurrencySuffix)
{
    std::vector<AssembledCell> cells = {
        body(1, 0, "1.000đ"), body(2, 0, "25.000đ"), body(3, 0, "3.500d"), body(4, 0, "7.000 ₫"), body(5, 0, "12.000"),
        body(1, 1, "5d"),     body(2, 1, "7d"),      body(3, 1, "9đ"),
    };
    cells.push_back(body(0, 0, "Giá d"));
    cells.back().header = true;
    NumberRules::unifyCurrencySuffix(cells);
    const std::vector<std::string> want = {"1.000đ", "25.000đ", "3.500đ", "7.000đ", "12.000",
                                           // a column of "d" (days?) decides nothing
                                           "5d", "7d", "9đ", "Giá d"};
    for (size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(cells[i].text, want[i]) << i;
}

TEST(NumberRules, RereadMalformed)
{
    std::map<double, std::string> answers;  // by box x
    std::vector<BBox> asked;
    const CropReading::Reader reread = [&](const BBox& box) -> std::optional<std::string> {
        asked.push_back(box);
        if (auto it = answers.find(box.x); it != answers.end())
            return it->second;
        return std::nullopt;
    };
    answers[1] = "1.250. 000";  // one digit more, split: joined and taken
    answers[2] = "9.999.999";   // other digits: refused
    std::vector<AssembledCell> cells = {
        body(1, 0, "1.25.000", BBox{1, 0, 50, 20}), body(2, 0, "1.234.567"),
        body(3, 0, "12,345,67", BBox{2, 0, 50, 20}), body(4, 0, "1.2.34.567", std::nullopt),
        body(5, 0, "25.000"),
        // not a numeric column: left alone
        body(1, 1, "1.25.000", BBox{3, 0, 50, 20}), body(2, 1, "note"), body(3, 1, "text"),
    };
    const NumberRules::RereadCounts counts = NumberRules::rereadMalformed(cells, reread);
    EXPECT_EQ(counts, (NumberRules::RereadCounts{1, 2}));
    EXPECT_EQ(cells[0].text, "1.250.000");
    EXPECT_EQ(cells[0].confidence, 0.5);
    EXPECT_EQ(cells[2].text, "12,345,67");
    EXPECT_EQ(cells[2].confidence, 0.5);
    EXPECT_EQ(cells[3].confidence, 0.5);
    EXPECT_EQ(cells[1].confidence, 0.95);
    EXPECT_EQ(cells[5].text, "1.25.000");
    EXPECT_EQ(cells[5].confidence, 0.95);
    EXPECT_EQ(asked.size(), 2u);

    const CropReading::Reader failing = [](const BBox&) -> std::optional<std::string> {
        throw std::runtime_error("ocr failed");
    };
    std::vector<AssembledCell> again = {body(1, 0, "1.25.000"), body(2, 0, "1.000"), body(3, 0, "2.000")};
    EXPECT_THROW(NumberRules::rereadMalformed(again, failing), std::runtime_error);
}
