// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Export/AIContext.hpp"

#include "VozudOzev/Export/ExternalTool.hpp"
#include "VozudOzev/Export/KitchenSink.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace std::chrono;

namespace {

const system_clock::time_point jan5 = sys_days{year{2026} / 1 / 5} + hours{13} + minutes{30};  // UTC
const std::string closing =
    " as uncertain. Cell addresses are spreadsheet-style (column letter, row number counting header rows).\n";

Cell flagged(int row, int col, std::vector<CellFlag> flags, std::optional<double> confidence = std::nullopt)
{
    return Cell{row, col, 1, 1, "v", confidence, std::nullopt, std::move(flags)};
}

Table withCells(std::vector<Cell> cells, int rows = 3, int cols = 3)
{
    Table t;
    t.rows = rows;
    t.cols = cols;
    t.cells = std::move(cells);
    return t;
}

}  // namespace

TEST(AIContext, MarkdownOpensWithSourceAndFlaggedCellNote)
{
    Table t;
    t.rows = 3;
    t.cols = 2;
    t.cells = {Cell{0, 0, 1, 1, "Item", std::nullopt, std::nullopt, std::nullopt, true},
               Cell{0, 1, 1, 1, "Qty", std::nullopt, std::nullopt, std::nullopt, true},
               Cell{1, 0, 1, 1, "a"}, Cell{1, 1, 1, 1, "1"}, Cell{2, 0, 1, 1, "b"},
               Cell{2, 1, 1, 1, "7", 0.3, std::nullopt, std::vector<CellFlag>{CellFlag::lowConfidence}}};
    const SourceInfo source{"Q1--Q2", jan5};
    const AIContext::Options options{AIContext::HeaderMode::joined, std::nullopt, 0.8, TimeZone::fixed(3600)};
    EXPECT_EQ(AIContext::markdown(t, source, options),
              "<!-- source: Q1\u2014Q2 \u00B7 captured 2026-01-05 14:30 \u00B7 1 cell flagged -->\n"
              "Note: cell B3 (low OCR confidence) was flagged by the extractor and not reviewed; treat its value" +
                  closing +
                  "\n"
                  "| Item | Qty |\n| --- | --- |\n| a | 1 |\n| b | 7 |\n");
}

TEST(AIContext, Reasons)
{
    using F = CellFlag;
    const struct {
        const char* name;
        Cell cell;
        std::optional<double> threshold;
        std::optional<std::string> reason;
    } cases[] = {
        {"low confidence flag", flagged(0, 0, {F::lowConfidence}), std::nullopt, "low OCR confidence"},
        {"edited low confidence is reviewed", flagged(0, 0, {F::lowConfidence, F::edited}, 0.1), 0.8, std::nullopt},
        {"edited type mismatch stays", flagged(0, 0, {F::edited, F::typeMismatch}), std::nullopt,
         "unexpected value type for the column"},
        {"two reasons in fixed order", flagged(0, 0, {F::totalMismatch, F::typeMismatch}), std::nullopt,
         "unexpected value type for the column, total does not match"},
        {"all three", flagged(0, 0, {F::totalMismatch, F::lowConfidence, F::typeMismatch}, 0.1), 0.8,
         "low OCR confidence, unexpected value type for the column, total does not match"},
        {"below the threshold", flagged(0, 0, {}, 0.5), 0.8, "low OCR confidence"},
        {"no flag list, below the threshold", Cell{0, 0, 1, 1, "v", 0.5}, 0.8, "low OCR confidence"},
        {"at the threshold", flagged(0, 0, {}, 0.5), 0.5, std::nullopt},
        {"no threshold", flagged(0, 0, {}, 0.5), std::nullopt, std::nullopt},
        {"no confidence", flagged(0, 0, {}), 0.8, std::nullopt},
        {"edited below the threshold", flagged(0, 0, {F::edited}, 0.1), 0.8, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto entries = AIContext::unreviewed(withCells({c.cell}), c.threshold);
        if (!c.reason) {
            EXPECT_TRUE(entries.empty());
            continue;
        }
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].ref, "A1");
        EXPECT_EQ(entries[0].reason, *c.reason);
    }
}

TEST(AIContext, EntriesInRowThenColumnOrderAndPlurals)
{
    const Table t = withCells({flagged(2, 0, {CellFlag::typeMismatch}), flagged(0, 27, {CellFlag::lowConfidence}),
                               flagged(0, 1, {}, 0.2)},
                              3, 28);
    const auto entries = AIContext::unreviewed(t, 0.8);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].ref, "B1");
    EXPECT_EQ(entries[1].ref, "AB1");
    EXPECT_EQ(entries[2].ref, "A3");

    const AIContext::Options options{AIContext::HeaderMode::joined, 0, 0.8, TimeZone::utc()};
    const std::string md = AIContext::markdown(t, SourceInfo{"s", jan5}, options);
    EXPECT_NE(md.find("\u00B7 3 cells flagged -->\nNote: cells B1 (low OCR confidence), AB1 (low OCR confidence), A3 "
                      "(unexpected value type for the column) were flagged by the extractor and not reviewed; treat "
                      "their values" +
                      closing + "\n| "),
              std::string::npos)
        << md;
}

TEST(AIContext, CommentAndLayout)
{
    const SourceInfo source{"a--b\nc---d\r", jan5 + seconds{59}};
    EXPECT_EQ(AIContext::headerComment(source, 0, TimeZone::utc()),
              "<!-- source: a\u2014b c\u2014-d\r \u00B7 captured 2026-01-05 13:30 \u00B7 0 cells flagged -->");
    // One instant, two zones; minutes are cut, not rounded.
    EXPECT_NE(AIContext::headerComment(source, 2, TimeZone::fixed(7 * 3600)).find("captured 2026-01-05 20:30 \u00B7 2 cells flagged"),
              std::string::npos);
    EXPECT_NE(AIContext::headerComment(source, 1, TimeZone::fixed(-14 * 3600)).find("captured 2026-01-04 23:30 \u00B7 1 cell flagged"),
              std::string::npos);

    // No entries and no columns: the comment, an empty line, nothing more.
    const AIContext::Options options{AIContext::HeaderMode::joined, std::nullopt, std::nullopt, TimeZone::utc()};
    EXPECT_EQ(AIContext::markdown(Table{}, SourceInfo{"s", jan5}, options),
              "<!-- source: s \u00B7 captured 2026-01-05 13:30 \u00B7 0 cells flagged -->\n\n");
}

TEST(AIContext, HeaderModes)
{
    Table t;
    t.rows = 4;
    t.cols = 1;
    for (int r = 0; r < 4; ++r)
        t.cells.push_back(Cell{r, 0, 1, 1, "r" + std::to_string(r), std::nullopt, std::nullopt, std::nullopt, r < 3 ? std::optional(true) : std::nullopt});
    const SourceInfo source{"s", jan5};
    const auto tableText = [&](AIContext::HeaderMode mode, std::optional<int> headerRows) {
        const std::string md = AIContext::markdown(t, source, {mode, headerRows, std::nullopt, TimeZone::utc()});
        return md.substr(md.find("\n\n") + 2);
    };
    EXPECT_EQ(tableText(AIContext::HeaderMode::joined, std::nullopt), "| r0 / r1 / r2 |\n| --- |\n| r3 |\n");
    EXPECT_EQ(tableText(AIContext::HeaderMode::keepRows, std::nullopt), "| r0 |\n| --- |\n| r1 |\n| r2 |\n| r3 |\n");
    EXPECT_EQ(tableText(AIContext::HeaderMode::joined, 0), "| r0 |\n| --- |\n| r1 |\n| r2 |\n| r3 |\n");
    EXPECT_EQ(AIContext::headerModeFromRaw("keepRows"), AIContext::HeaderMode::keepRows);
    EXPECT_EQ(AIContext::rawValue(AIContext::HeaderMode::joined), "joined");
    EXPECT_FALSE(AIContext::headerModeFromRaw("kept"));
}

TEST(AIContextConsumers, CmarkGFMKeepsTheCommentAndTheTable)
{
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::cmark));
    ExternalTool::ScratchDir dir;
    Table t = kitchenSink();
    t.cells[3].flags = std::vector<CellFlag>{CellFlag::lowConfidence};
    const std::string md = AIContext::markdown(t, SourceInfo{"Bảng -- <x>", jan5},
                                               {AIContext::HeaderMode::joined, 1, 0.8, TimeZone::utc()});
    // --unsafe keeps raw HTML, so the comment must come through as one comment.
    const auto rendered = ExternalTool::run({ExternalTool::cmark, "--unsafe", "-e", "table", dir.write("t.md", md)});
    ASSERT_EQ(rendered.status, 0);
    EXPECT_EQ(rendered.out.rfind("<!-- source: Bảng \u2014 <x> \u00B7 captured 2026-01-05 13:30 \u00B7 1 cell flagged -->\n", 0), 0u)
        << rendered.out;
    EXPECT_NE(rendered.out.find("<p>Note: cell B2 (low OCR confidence) was flagged"), std::string::npos);
    EXPECT_NE(rendered.out.find("<th>Khách hàng</th>"), std::string::npos);
    EXPECT_NE(rendered.out.find("<td>x|y\\z &amp;&lt;&gt;</td>"), std::string::npos) << rendered.out;
}
