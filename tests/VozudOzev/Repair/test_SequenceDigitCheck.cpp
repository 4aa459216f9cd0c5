#include "Support/ScriptedRecognizer.hpp"

#include "VozudOzev/Repair/SequenceDigitCheck.hpp"
#include "VozudOzev/OCR/TextOCR.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace VozudOzev;
using TestSupport::ScriptedRecognizer;

namespace {

// Row r of column 0 holds texts[r]; nullopt leaves the row without a cell. Cell r's box is
// 30 px high at y = 40 r.
std::vector<AssembledCell> numberColumn(const std::vector<std::optional<std::string>>& texts)
{
    std::vector<AssembledCell> cells;
    for (size_t r = 0; r < texts.size(); ++r) {
        if (!texts[r])
            continue;
        AssembledCell c;
        c.row = static_cast<int>(r);
        c.text = *texts[r];
        c.box = BBox{10, 40.0 * static_cast<double>(r), 40, 30};
        cells.push_back(c);
    }
    return cells;
}

// Expectations as (row, number) pairs, which read more easily than cell indices.
std::vector<std::pair<int, int>> expectedRows(const std::vector<AssembledCell>& cells)
{
    std::vector<std::pair<int, int>> out;
    for (const auto& [index, n] : SequenceDigitCheck::expectations(cells))
        out.emplace_back(cells[index].row, n);
    return out;
}

// The crop reader the assembler hands in: the box padded by 6 px and clamped, enlarged
// three times, recognised, line texts joined with a blank.
SequenceDigitCheck::Reread cropReader(const Image& image, const TextOCR& ocr)
{
    return [&image, &ocr](const BBox& box) -> std::optional<std::string> {
        const int x0 = static_cast<int>(std::floor(std::max(box.x - 6, 0.0)));
        const int y0 = static_cast<int>(std::floor(std::max(box.y - 6, 0.0)));
        const int x1 = static_cast<int>(std::ceil(std::min(box.maxX() + 6, static_cast<double>(image.width))));
        const int y1 = static_cast<int>(std::ceil(std::min(box.maxY() + 6, static_cast<double>(image.height))));
        if (x1 - x0 < 2 || y1 - y0 < 2)
            return std::nullopt;
        const auto big = image.cropped(x0, y0, x1, y1).scaled(3);
        if (!big)
            return std::nullopt;
        std::string text;
        for (const OCRLine& line : ocr.recognize(*big)) {
            if (!text.empty())
                text += ' ';
            text += line.text;
        }
        if (text.empty())
            return std::nullopt;
        return text;
    };
}

}  // namespace

TEST(SequenceDigitCheck, Expectations)
{
    using Col = std::vector<std::optional<std::string>>;
    const struct {
        const char* name;
        Col column;
        std::vector<std::pair<int, int>> want;
    } cases[] = {
        {"a gap in 1, 2, _, 4, 5", {"No.", "1", "2", "", "4", "5"}, {{3, 3}}},
        {"full stops and blanks are trimmed", {"", "1.", " 2 ", "", "4."}, {{0, 0}, {3, 3}}},
        {"offset -1: the row above the run expects 0", {"", "", "1", "2", "3"}, {{1, 0}}},
        {"offset -2: the row above would expect -1 and gets none", {"", "", "0", "1", "2"}, {}},
        {"one row past either end of the run", {"", "", "2", "3", "4", "", ""}, {{1, 1}, {5, 5}}},
        {"10, 20, 30 is no run", {"10", "20", "30", ""}, {}},
        {"two numbers are never a run", {"1", "2", ""}, {}},
        {"a five-digit cell blocks the column", {"1", "2", "3", "12345", ""}, {}},
        {"a digit and a letter block the column", {"1", "2", "3", "4a", ""}, {}},
        {"a digit with a combining mark is no digit", {"1", "2", "3", "4\u0301", ""}, {}},
        {"one stray number among many", {"1", "2", "3", "4", "5", "6", "7", "8", "19", "", "11"}, {{9, 10}}},
        {"blank text is filled, not empty", {"1", "2", " ", "4", "5"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(expectedRows(numberColumn(c.column)), c.want);
    }
}

TEST(SequenceDigitCheck, MembersAreUnmarkedSingleSlots)
{
    auto cells = numberColumn({"1", "2", "", "4", "5", ""});
    cells[2].header = true;   // row 2: a header is no member
    cells[5].colSpan = 2;     // row 5: a span is no member
    cells.push_back(cells[0]);  // another column with nothing to say
    cells.back().col = 1;
    cells.back().text = "Name";
    EXPECT_EQ(expectedRows(cells), (std::vector<std::pair<int, int>>{}));

    // Columns are judged apart: the same run in column 3 beside a text column.
    auto two = numberColumn({"1", "2", "", "4"});
    for (AssembledCell c : numberColumn({"a", "b", "c", ""})) {
        c.col = 1;
        two.push_back(c);
    }
    for (AssembledCell& c : two)
        if (c.col == 0)
            c.col = 3;
    EXPECT_EQ(expectedRows(two), (std::vector<std::pair<int, int>>{{2, 3}}));
}

TEST(SequenceDigitCheck, AcceptsOnlyTheExpectedReading)
{
    const struct {
        const char* name;
        std::optional<std::string> read;
        bool confirmed;
        std::string wantText;
    } cases[] = {
        {"exact", "3", true, "3"},
        {"full stop after", "3.", true, "3"},
        {"blank before", " 3", true, "3"},
        {"look-alike letter O in 30 is not 3", "3O", false, ""},
        {"O3 maps to 03, which is not 3", "O3", false, ""},
        {"another number", "8", false, ""},
        {"nothing read", std::nullopt, false, ""},
    };
    const Image image(200, 300);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto fake = std::make_shared<ScriptedRecognizer>([&](const Image& crop) {
            std::vector<ScriptedRecognizer::Observation> out;
            if (c.read)
                out.push_back(TestSupport::observation({{*c.read, 10, 10, 40, 30}}, 0.9, crop.width, crop.height));
            return out;
        });
        TextOCR ocr{.languages = {"vi-VT", "en-US"}};
        ocr.recognizer = fake;
        ocr.minimumTextHeight = 0;
        auto cells = numberColumn({"1", "2", "", "4", "5"});
        const auto before = cells;
        EXPECT_EQ(SequenceDigitCheck::apply(cells, cropReader(image, ocr)), c.confirmed ? 1 : 0);
        EXPECT_EQ(cells[2].text, c.wantText);
        EXPECT_EQ(cells[2].textBox, c.confirmed ? cells[2].box : std::nullopt);
        for (size_t i : {0u, 1u, 3u, 4u})
            EXPECT_EQ(cells[i], before[i]);
        // One re-read, of the empty cell only: box (10, 80, 40, 30) padded to 52 x 42, then 3x.
        const auto calls = fake->calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].width, 156);
        EXPECT_EQ(calls[0].height, 126);
    }
}

TEST(SequenceDigitCheck, LookalikesReadAsDigits)
{
    // Expected 10 and 11 in rows 10 and 11 of a run 8, 9, _, _, 12.
    std::vector<std::optional<std::string>> column(13, std::nullopt);
    column[8] = "8";
    column[9] = "9";
    column[10] = "";
    column[11] = "";
    column[12] = "12";
    auto cells = numberColumn(column);
    std::vector<std::string> reads{"lO", "I\u0399."};  // Latin l, O; Latin I, Greek Iota
    size_t next = 0;
    const int n = SequenceDigitCheck::apply(cells, [&](const BBox&) { return std::optional(reads.at(next++)); });
    EXPECT_EQ(n, 2);
    EXPECT_EQ(cells[2].text, "10");
    EXPECT_EQ(cells[3].text, "11");
}

TEST(SequenceDigitCheck, SkipsCellsWithoutBoxAndPassesFailuresOn)
{
    auto cells = numberColumn({"1", "2", "", "4", "5", ""});
    cells[2].box.reset();
    int calls = 0;
    EXPECT_EQ(SequenceDigitCheck::apply(cells,
                                        [&](const BBox& box) {
                                            ++calls;
                                            EXPECT_EQ(box, *cells[5].box);
                                            return std::optional<std::string>("6");  // row 5 expects 6
                                        }),
              1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(cells[5].text, "6");

    auto fake = std::make_shared<ScriptedRecognizer>(std::vector<ScriptedRecognizer::Observation>{});
    fake->failWith("recogniser down");
    TextOCR ocr{.languages = {"en-US"}};
    ocr.recognizer = fake;
    const Image image(100, 300);
    auto again = numberColumn({"1", "2", "", "4"});
    EXPECT_THROW(SequenceDigitCheck::apply(again, cropReader(image, ocr)), std::runtime_error);
    EXPECT_TRUE(again[2].text.empty());
}

TEST(SequenceDigitCheck, ExtremeRowsDoNotOverflow)
{
    auto cells = numberColumn({"1", "2", "", "4"});
    for (AssembledCell& c : cells)
        c.row = c.row == 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max() - 3 + c.row;
    EXPECT_TRUE(SequenceDigitCheck::expectations(cells).empty());
}
