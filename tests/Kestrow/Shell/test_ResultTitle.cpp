#include "Kestrow/Shell/QuickCaptureOutcome.hpp"
#include "Kestrow/Shell/ResultTitle.hpp"

#include <gtest/gtest.h>

using namespace Kestrow;

namespace {

VozudOzev::Table sized(int rows, int cols)
{
    VozudOzev::Table t;
    t.rows = rows;
    t.cols = cols;
    return t;
}

}  // namespace

TEST(ResultTitle, NamesTheSourceAndTheTableSize)
{
    const struct {
        std::optional<QString> source;
        std::optional<VozudOzev::Table> table;
        QString want;
    } cases[] = {
        {"  Invoice.PNG ", sized(12, 4), "Invoice · 12 × 4"},
        {"\tscan.tif", sized(1, 1), "scan · 1 × 1"},
        {"a.jpg.png", std::nullopt, "a"},
        {"Screen capture", sized(5, 3), "5 × 3 table"},
        {"  ", std::nullopt, "Text only"},
        {std::nullopt, std::nullopt, "Text only"},
        {"report.pdf", std::nullopt, "report"},
        {"Calc\n", sized(2, 2), "Calc\n · 2 × 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want.toStdString());
        EXPECT_EQ(ResultTitle::make(c.source, c.table), c.want);
    }
}

TEST(QuickCaptureOutcome, EditedCellsDoNotStopACopyButFlaggedOnesDo)
{
    VozudOzev::Table t = sized(1, 2);
    VozudOzev::Cell edited;
    edited.flags = std::vector<VozudOzev::CellFlag>{VozudOzev::CellFlag::edited};
    t.cells = {edited, edited};
    EXPECT_TRUE(QuickCaptureOutcome::decide(t).copy);
    EXPECT_TRUE(QuickCaptureOutcome::decide(sized(0, 0)).copy);
    t.cells[1].flags->push_back(VozudOzev::CellFlag::totalMismatch);
    const QuickCaptureOutcome flagged = QuickCaptureOutcome::decide(t);
    ASSERT_TRUE(flagged.openEditor);
    EXPECT_EQ(flagged.openEditor->flaggedCells, 1);
    EXPECT_FALSE(flagged.copy);
    EXPECT_EQ(QuickCaptureOutcome::decide(std::nullopt).openEditor->kind, QuickCaptureOutcome::Reason::Kind::noTable);
}
