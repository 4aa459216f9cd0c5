#include "KestrowEditor/EditorDocument.hpp"

#include <algorithm>
#include <climits>

namespace KestrowEditor {

using VozudOzev::Table;
namespace TE = TableEditing;

namespace {

int saturated(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

EditorDocument::EditorDocument(Table table)
    : table_(std::move(table)), spanMap_(table_), snapshot_(TableSnapshot::make(table_, nullptr))
{
}

void EditorDocument::setSelection(std::optional<GridSelection> selection)
{
    // Clamped like every other selection, so moves from it never start outside the grid.
    selection_ = clamped(selection);
    listeners_.notify();
}

void EditorDocument::apply(Table table, const std::string& name, std::optional<GridSelection> selection,
                           const TableSnapshot* restoredFrom)
{
    Table next = postProcess_ ? postProcess_(table) : std::move(table);
    // Everything that can fail comes first, so a failed commit leaves the document as it was.
    SpanMap map(next);
    auto snapshot = TableSnapshot::make(next, restoredFrom ? restoredFrom : snapshot_.get());

    std::shared_ptr<const TableSnapshot> before = snapshot_;
    const std::optional<GridSelection> selectionBefore = selection_;
    undo_.registerUndo(name, [this, before, selectionBefore, name] {
        apply(before->table(), name, selectionBefore, before.get());
    });

    table_ = std::move(next);
    spanMap_ = std::move(map);
    snapshot_ = std::move(snapshot);
    ++revision_;
    selection_ = clamped(selection);
    listeners_.notify();
}

bool EditorDocument::adoptFlags(int revision, const Table& analysed)
{
    if (revision != revision_ || analysed.rows != table_.rows || analysed.cols != table_.cols ||
        analysed.cells.size() != table_.cells.size())
        return false;
    bool changed = false;
    for (std::size_t i = 0; i < table_.cells.size(); ++i) {
        const VozudOzev::Cell& a = analysed.cells[i];
        const VozudOzev::Cell& c = table_.cells[i];
        if (a.row != c.row || a.col != c.col || a.rowSpan != c.rowSpan || a.colSpan != c.colSpan || a.text != c.text)
            return false;
        changed = changed || a.flags != c.flags;
    }
    if (!changed)
        return true;
    for (std::size_t i = 0; i < table_.cells.size(); ++i)
        table_.cells[i].flags = analysed.cells[i].flags;
    snapshot_ = TableSnapshot::make(table_, snapshot_.get());
    ++revision_;
    listeners_.notify();
    return true;
}

bool EditorDocument::change(const std::function<bool(Table&)>& edit, const std::string& name,
                            std::optional<GridSelection> selection)
{
    // The edit works on the document's own table: a refused edit leaves it untouched, and the
    // state before a change is already kept in snapshot_, so no copy of the table is needed.
    try {
        if (!edit(table_))
            return false;
        apply(std::move(table_), name, selection);
    } catch (...) {
        table_ = snapshot_->table();
        throw;
    }
    return true;
}

std::optional<GridSelection> EditorDocument::clamped(std::optional<GridSelection> selection) const
{
    if (!selection)
        return selection;
    // A table from a damaged record can claim INT_MIN rows, so no plain `rows - 1`.
    const int maxRow = saturated(std::max(table_.rows - 1LL, 0LL)), maxCol = saturated(std::max(table_.cols - 1LL, 0LL));
    auto clamp = [&](CellPos p) { return CellPos(std::clamp(p.row, 0, maxRow), std::clamp(p.col, 0, maxCol)); };
    return GridSelection(clamp(selection->anchor), clamp(selection->focus));
}

const VozudOzev::Cell* EditorDocument::cell(CellPos pos) const
{
    const auto i = spanMap_.index(pos.row, pos.col);
    return i ? &table_.cells[static_cast<std::size_t>(*i)] : nullptr;
}

CellRect EditorDocument::spanRect(CellPos pos) const
{
    const VozudOzev::Cell* c = cell(pos);
    return c ? TE::rect(*c) : CellRect(pos, pos);
}

std::optional<CellRect> EditorDocument::selectedRect() const
{
    if (!selection_)
        return std::nullopt;
    if (rectCache_ && rectCache_->selection == *selection_ && rectCache_->revision == revision_)
        return rectCache_->rect;

    // Only the border can touch a cell sticking out; the span map answers each slot at once.
    CellRect r = selection_->rect();
    bool grew = true;
    auto visit = [&](long long row, long long col) {
        const auto i = spanMap_.index(static_cast<int>(row), static_cast<int>(col));
        if (!i)
            return;
        const CellRect cr = TE::rect(table_.cells[static_cast<std::size_t>(*i)]);
        if (!r.contains(cr)) {
            r = r.unite(cr);
            grew = true;
        }
    };
    while (grew) {
        grew = false;
        const CellRect b = r;
        const long long r0 = std::max(b.minRow, 0), r1 = std::min<long long>(b.maxRow, spanMap_.rows() - 1LL);
        const long long c0 = std::max(b.minCol, 0), c1 = std::min<long long>(b.maxCol, spanMap_.cols() - 1LL);
        for (long long row = r0; row <= r1; ++row) {
            visit(row, b.minCol);
            visit(row, b.maxCol);
        }
        for (long long col = c0; col <= c1; ++col) {
            visit(b.minRow, col);
            visit(b.maxRow, col);
        }
    }
    rectCache_ = RectCache{*selection_, revision_, r};
    return r;
}

std::optional<CellPos> EditorDocument::selectedAnchor() const
{
    if (!selection_)
        return std::nullopt;
    return spanRect(selection_->focus).origin();
}

void EditorDocument::undo()
{
    if (canUndo())
        undo_.undo();
}

void EditorDocument::redo()
{
    if (canRedo())
        undo_.redo();
}

bool EditorDocument::setText(const std::string& text, CellPos at, double threshold)
{
    return change([&](Table& t) { return TE::setText(t, text, at, threshold); }, "Edit Cell", selection_);
}

bool EditorDocument::clearSelection()
{
    const auto r = selectedRect();
    if (!r)
        return false;
    return change([&](Table& t) { return TE::clear(t, *r); }, "Clear", selection_);
}

void EditorDocument::insertRow(int at)
{
    std::optional<GridSelection> next;
    if (selection_)
        next = GridSelection(CellPos(at, selection_->focus.col));
    change([&](Table& t) { TE::insert(t, TE::Axis::row, at); return true; }, "Insert Row", next);
}

void EditorDocument::insertColumn(int at)
{
    std::optional<GridSelection> next;
    if (selection_)
        next = GridSelection(CellPos(selection_->focus.row, at));
    change([&](Table& t) { TE::insert(t, TE::Axis::column, at); return true; }, "Insert Column", next);
}

bool EditorDocument::deleteSelected(TE::Axis axis)
{
    if (!selection_)
        return false;
    const CellRect r = selection_->rect();  // the selected lines themselves, not grown to spans
    const bool rows = axis == TE::Axis::row;
    const int first = rows ? r.minRow : r.minCol, last = rows ? r.maxRow : r.maxCol;
    const CellPos focus = selection_->focus;
    return change([&](Table& t) { return TE::deleteRange(t, axis, first, last); }, rows ? "Delete Row" : "Delete Column",
                  GridSelection(rows ? CellPos(first, focus.col) : CellPos(focus.row, first)));
}

bool EditorDocument::deleteSelectedRows()
{
    return deleteSelected(TE::Axis::row);
}

bool EditorDocument::deleteSelectedColumns()
{
    return deleteSelected(TE::Axis::column);
}

bool EditorDocument::mergeSelection()
{
    const auto r = selectedRect();
    if (!r)
        return false;
    return change([&](Table& t) { return TE::merge(t, *r); }, "Merge Cells", GridSelection(r->origin()));
}

bool EditorDocument::splitSelection()
{
    if (!selection_)
        return false;
    const CellPos focus = selection_->focus;
    const CellRect s = spanRect(focus);
    return change([&](Table& t) { return TE::split(t, focus); }, "Split Cells",
                  GridSelection(s.origin(), CellPos(s.maxRow, s.maxCol)));
}

bool EditorDocument::toggleHeader(int row)
{
    const int h = headerRowCount();
    const bool unmark = row < h;
    const int n = unmark ? row : saturated(static_cast<long long>(row) + 1);
    return change([&](Table& t) { return TE::setHeaderRows(t, n); }, unmark ? "Unmark Header Row" : "Mark Header Row",
                  selection_);
}

bool EditorDocument::canMerge() const
{
    const auto r = selectedRect();
    return r && !r->isSingle();
}

bool EditorDocument::canSplit() const
{
    return selection_ && !spanRect(selection_->focus).isSingle();
}

int EditorDocument::headerRowCount() const
{
    return TE::headerRowCount(table_);
}

void EditorDocument::select(CellPos pos, bool extend)
{
    if (table_.rows <= 0 || table_.cols <= 0) {
        selection_.reset();
    } else {
        const CellPos anchor = extend && selection_ ? selection_->anchor : pos;
        selection_ = clamped(GridSelection(anchor, pos));
    }
    listeners_.notify();
}

void EditorDocument::move(int dRow, int dCol, bool extend)
{
    if (!selection_) {
        select(CellPos(0, 0), false);
        return;
    }
    const CellPos focus = selection_->focus;
    const CellRect base = extend ? CellRect(focus, focus) : spanRect(focus);
    auto step = [](int lo, int hi, int current, int d) {
        if (d > 0)
            return saturated(static_cast<long long>(hi) + d);
        if (d < 0)
            return saturated(static_cast<long long>(lo) + d);
        return current;
    };
    select(CellPos(step(base.minRow, base.maxRow, focus.row, dRow), step(base.minCol, base.maxCol, focus.col, dCol)),
           extend);
}

void EditorDocument::tab(bool backwards)
{
    if (!selection_) {
        select(CellPos(0, 0), false);
        return;
    }
    const CellPos focus = selection_->focus;
    const CellRect s = spanRect(focus);
    const long long c = backwards ? s.minCol - 1LL : s.maxCol + 1LL;
    if (c >= 0 && c < table_.cols)
        select(CellPos(focus.row, static_cast<int>(c)), false);
    else if (c < 0)
        select(CellPos(saturated(std::max(focus.row - 1LL, 0LL)), saturated(table_.cols - 1LL)), false);
    else
        select(CellPos(saturated(std::min(table_.rows - 1LL, focus.row + 1LL)), 0), false);
}

int EditorDocument::flaggedCount(double threshold) const
{
    return static_cast<int>(std::count_if(table_.cells.begin(), table_.cells.end(),
                                          [&](const VozudOzev::Cell& c) { return TE::needsCheck(c, threshold); }));
}

bool EditorDocument::selectNextFlagged(double threshold)
{
    const auto next = TE::nextFlagged(table_, selectedAnchor(), threshold);
    if (!next)
        return false;
    select(*next, false);
    return true;
}

}  // namespace KestrowEditor
