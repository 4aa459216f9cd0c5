// Sequences of user edits on a table, with undo and redo in between: no step may leave a
// cell outside the grid or two cells on one slot, and undoing everything gives back the
// table the document started with.
#include "KestrowEditor/EditorDocument.hpp"

#include "FuzzSupport.hpp"

using namespace KestrowEditor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const VozudOzev::Table start = FuzzSupport::wellFormedTable(in);
    EditorDocument doc(start);
    for (int i = 0; i < 48 && in.remaining_bytes() > 0; ++i) {
        const VozudOzev::Table& t = doc.table();
        auto pick = [&](int lo, int hi) { return in.ConsumeIntegralInRange(lo, hi); };
        // Selections usually inside the grid, as the views make them; sometimes anywhere.
        auto pos = [&] {
            if (pick(0, 9) == 0)
                return CellPos(in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>());
            return CellPos(pick(0, std::max(t.rows - 1, 0)), pick(0, std::max(t.cols - 1, 0)));
        };
        const CellPos a = pos(), b = pos();
        std::string what;
        switch (pick(0, 17)) {
        case 0: doc.setSelection(GridSelection(a, b)); what = "setSelection"; break;
        case 1: doc.setText(FuzzSupport::text(in, 5), a, 0.8); what = "setText"; break;
        case 2: doc.clearSelection(); what = "clear"; break;
        case 3: doc.insertRow(pick(-2, t.rows + 2)); what = "insertRow"; break;
        case 4: doc.insertColumn(pick(-2, t.cols + 2)); what = "insertColumn"; break;
        case 5: doc.deleteSelectedRows(); what = "deleteRows"; break;
        case 6: doc.deleteSelectedColumns(); what = "deleteColumns"; break;
        case 7: doc.mergeSelection(); what = "merge"; break;
        case 8: doc.splitSelection(); what = "split"; break;
        case 9: doc.toggleHeader(pick(-1, t.rows + 1)); what = "toggleHeader"; break;
        case 10: doc.undo(); what = "undo"; break;
        case 11: doc.redo(); what = "redo"; break;
        case 12: doc.select(a, in.ConsumeBool()); what = "select"; break;
        case 13: doc.move(pick(-3, 3), pick(-3, 3), in.ConsumeBool()); what = "move"; break;
        case 14: doc.tab(in.ConsumeBool()); what = "tab"; break;
        case 15: doc.selectNextFlagged(0.8); what = "nextFlagged"; break;
        default: doc.setSelection(GridSelection(a, a)); what = "setSelection"; break;
        }
        FuzzSupport::requireWellFormed(doc.table(), what);
        if (const auto& s = doc.selection()) {
            const auto& tb = doc.table();
            const bool inside = s->focus.row >= 0 && s->focus.col >= 0 && s->anchor.row >= 0 && s->anchor.col >= 0 &&
                                (s->focus.row < tb.rows || tb.rows <= 0) && (s->focus.col < tb.cols || tb.cols <= 0);
            FuzzSupport::require(inside, what + ": selection outside the grid");
            doc.selectedRect();
        }
    }
    // Fewer steps than the 200 kept: the whole history is there.
    const VozudOzev::Table end = doc.table();
    int undone = 0;
    for (; doc.canUndo(); ++undone)
        doc.undo();
    FuzzSupport::require(doc.table() == start, "undoing everything does not give back the start");
    for (int i = 0; i < undone; ++i)
        doc.redo();
    FuzzSupport::require(doc.table() == end, "redoing what was undone does not give back the end");
    return 0;
}
