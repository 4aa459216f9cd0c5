#pragma once

#include "KestrowEditor/ChangeListeners.hpp"
#include "KestrowEditor/GridSelection.hpp"
#include "KestrowEditor/SpanMap.hpp"
#include "KestrowEditor/TableEditing.hpp"
#include "KestrowEditor/TableSnapshot.hpp"
#include "KestrowEditor/UndoStack.hpp"

#include "VozudOzev/Model/Table.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace KestrowEditor {

// The editable model of one table: the table, the selection, a span map, a revision and the
// undo history. Every change to the table is one undoable step through a single commit path,
// and undo and redo commit through it too. Used from one thread (the interface thread).
class EditorDocument {
public:
    using PostProcess = std::function<VozudOzev::Table(const VozudOzev::Table&)>;

    // The table as given (not post-processed), no selection, revision 0, 200 undo levels.
    explicit EditorDocument(VozudOzev::Table table);
    // Undo steps refer back to the document: it stays where it was made.
    EditorDocument(const EditorDocument&) = delete;
    EditorDocument& operator=(const EditorDocument&) = delete;

    const VozudOzev::Table& table() const { return table_; }
    int revision() const { return revision_; }
    const SpanMap& spanMap() const { return spanMap_; }
    const UndoStack& undoStack() const { return undo_; }
    // The table of this revision, kept unchanged: safe to read from another thread.
    std::shared_ptr<const TableSnapshot> snapshot() const { return snapshot_; }

    const std::optional<GridSelection>& selection() const { return selection_; }
    void setSelection(std::optional<GridSelection> selection);

    // Applied to every table committed from now on, undone and redone ones included.
    void setPostProcess(PostProcess hook) { postProcess_ = std::move(hook); }

    // Takes the flags of a later analysis of this revision's table (the same cells, flags
    // recomputed), with no undo step; undoing the next edit returns to them. False, changing
    // nothing, when the document has moved on or the cells differ. New flags make a new
    // revision.
    bool adoptFlags(int revision, const VozudOzev::Table& analysed);

    // Told after every commit and selection change; returns an id for removeListener.
    int addListener(ChangeListeners::Listener listener) { return listeners_.add(std::move(listener)); }
    void removeListener(int id) { listeners_.remove(id); }

    // The cell the span map shows at the position; null outside the grid or on an empty slot.
    // Valid until the next commit.
    const VozudOzev::Cell* cell(CellPos pos) const;
    CellRect spanRect(CellPos pos) const;
    // The selection grown to whole cells.
    std::optional<CellRect> selectedRect() const;
    // The anchor of the cell under the focus.
    std::optional<CellPos> selectedAnchor() const;

    bool canUndo() const { return undo_.canUndo(); }
    bool canRedo() const { return undo_.canRedo(); }
    std::string undoTitle() const { return undo_.undoActionName(); }
    std::string redoTitle() const { return undo_.redoActionName(); }
    void undo();
    void redo();

    // Edits: each returns true when it committed a step (insertions always commit).
    bool setText(const std::string& text, CellPos at, double threshold);
    bool clearSelection();
    void insertRow(int at);
    void insertColumn(int at);
    bool deleteSelectedRows();
    bool deleteSelectedColumns();
    bool mergeSelection();
    bool splitSelection();
    bool toggleHeader(int row);

    bool canMerge() const;
    bool canSplit() const;
    int headerRowCount() const;

    // Selection moves: no undo step, no new revision.
    void select(CellPos pos, bool extend);
    void move(int dRow, int dCol, bool extend);
    void tab(bool backwards);

    // Every cell of the list counts, also one anchored outside the grid.
    int flaggedCount(double threshold) const;
    bool selectNextFlagged(double threshold);

private:
    struct RectCache {
        GridSelection selection;
        int revision;
        CellRect rect;
    };

    void apply(VozudOzev::Table table, const std::string& name, std::optional<GridSelection> selection,
               const TableSnapshot* restoredFrom = nullptr);
    bool change(const std::function<bool(VozudOzev::Table&)>& edit, const std::string& name,
                std::optional<GridSelection> selection);
    std::optional<GridSelection> clamped(std::optional<GridSelection> selection) const;
    bool deleteSelected(TableEditing::Axis axis);

    VozudOzev::Table table_;
    std::optional<GridSelection> selection_;
    int revision_ = 0;
    SpanMap spanMap_;
    UndoStack undo_{200};
    PostProcess postProcess_;
    std::shared_ptr<const TableSnapshot> snapshot_;  // of table_, the base the next snapshot shares with
    mutable std::optional<RectCache> rectCache_;
    ChangeListeners listeners_;
};

}  // namespace KestrowEditor
