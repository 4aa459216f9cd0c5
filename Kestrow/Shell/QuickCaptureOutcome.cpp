#include "Kestrow/Shell/QuickCaptureOutcome.hpp"

#include <QCoreApplication>

#include <algorithm>

namespace Kestrow {

QString QuickCaptureOutcome::Reason::message() const
{
    if (kind == Kind::flagged)
        return QCoreApplication::translate(
                   "QuickCaptureOutcome",
                   "Quick Capture opened the editor because %1 cells need checking. Fix them, then copy.")
            .arg(flaggedCells);
    return QCoreApplication::translate("QuickCaptureOutcome",
                                       "Quick Capture opened the editor because no table was found. Check the "
                                       "text below or capture again.");
}

QuickCaptureOutcome QuickCaptureOutcome::decide(const std::optional<VozudOzev::Table>& table)
{
    QuickCaptureOutcome outcome;
    if (!table) {
        outcome.openEditor = Reason{Reason::Kind::noTable, 0};
        return outcome;
    }
    const auto flagged = std::count_if(table->cells.begin(), table->cells.end(),
                                       [](const VozudOzev::Cell& c) { return c.isFlagged(); });
    if (flagged > 0)
        outcome.openEditor = Reason{Reason::Kind::flagged, static_cast<int>(flagged)};
    else
        outcome.copy = *table;
    return outcome;
}

}  // namespace Kestrow
