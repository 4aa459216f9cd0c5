#pragma once

#include "Kestrow/Shell/Palette.hpp"
#include "Kestrow/Editor/GridStyle.hpp"
#include "Kestrow/Editor/SourceImage.hpp"

#include "KestrowEditor/CellPos.hpp"
#include "KestrowEditor/CellRect.hpp"
#include "KestrowEditor/GridSelection.hpp"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QFrame;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QShortcut;

namespace KestrowEditor {
class EditorDocument;
}

namespace Kestrow {

class CropPreview;
class GridDelegate;
class GridModel;
class GridTableView;

// The editable grid of one table: a row-number gutter, lettered columns, a rectangular cell
// selection of its own, in-place editing and a floating crop of the source image for the
// hovered, edited or selected cell. It never changes the table itself: every change is one
// undoable operation of the document, and the grid redraws when the document tells it.
//
// Use: make it with the document and the capture's image, then call setInputs whenever the
// document, the threshold or the palette changes (cheap when nothing did). The document must
// outlive the grid or be replaced through setInputs first. Ctrl+Z, Ctrl+Shift+Z (undo, redo of
// the document) and Ctrl+' (next cell to check) are the grid's shortcuts in its window; a window
// that owns undo itself turns them off with setUndoShortcutsEnabled(false). An open edit is
// committed when the grid hides (its window closes) or another document is shown; actions that
// read the table (copy, save) call endEditing(true) first so that what is typed counts.
class GridContainer : public QWidget {
    Q_OBJECT

public:
    GridContainer(KestrowEditor::EditorDocument* doc, SourceImage source, QWidget* parent = nullptr);
    ~GridContainer() override;

    // Shows the document at the threshold (below it an unedited cell needs checking) in the
    // palette's colours. A switch to another document commits an open edit to the old one.
    void setInputs(KestrowEditor::EditorDocument* doc, double threshold, const Palette& palette);
    void setSource(SourceImage source);
    void setUndoShortcutsEnabled(bool enabled);
    // Run before Ctrl+' looks for the next cell to check, after an open edit is committed: a
    // window that re-analyses edits beside itself brings the cells to check up to date there.
    void setBeforeFlagSearch(std::function<void()> bringUpToDate);

    KestrowEditor::EditorDocument* document() const { return doc_; }
    double threshold() const { return threshold_; }
    const GridStyle& style() const { return style_; }
    int headerRows() const { return headerRows_; }
    GridTableView* tableView() const { return table_; }
    CropPreview* cropPreview() const { return crop_; }
    QLineEdit* editor() const { return editor_; }
    QFrame* editorBox() const { return editorBox_; }
    std::optional<KestrowEditor::CellPos> editingPos() const { return editingPos_; }
    std::optional<KestrowEditor::CellPos> hover() const { return hover_; }
    // The box of the cell under the selection, for the source pane's highlight.
    std::optional<VozudOzev::BBox> selectedBox() const;
    // Current widths of the data columns (without the gutter).
    std::vector<int> columnWidths() const;

    // Opens the in-place editor on the cell under the selection's focus, holding the cell's
    // text, or the given text with the caret after it.
    void beginEditing(std::optional<QString> replacingWith);
    // Closes an open edit; with commit the text goes into the document first.
    void endEditing(bool commit, const std::function<void()>& then = {});

    void selectionChanged();
    void updateCrop();

    // Input (called by the table view).
    bool key(QKeyEvent* event);
    void setHover(int row, int column);
    void nextFlagged();
    // The edit menu for a right-click on a view row and column (-1 outside); the selection is
    // adjusted to the click first. The caller owns the menu.
    QMenu* contextMenu(int row, int column);

    // The rectangle of view rows and columns in viewport coordinates.
    QRect viewRect(const KestrowEditor::CellRect& area) const;

signals:
    // The document's table or selection changed (after the grid has caught up).
    void documentChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // A window closing with an edit open keeps what was typed.
    void hideEvent(QHideEvent* event) override;

private:
    void attach(KestrowEditor::EditorDocument* doc);
    void refresh();
    void applyStyle();
    void rebuildColumns();
    void applyColumnWidths();
    void scrolled();
    void placeEditor();
    bool editorKey(QKeyEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;

    KestrowEditor::EditorDocument* doc_;
    SourceImage source_;
    double threshold_ = 0.8;
    GridStyle style_;
    GridTableView* table_;
    GridModel* model_;
    GridDelegate* delegate_;
    CropPreview* crop_;
    QFrame* editorBox_;
    QLineEdit* editor_;
    int shownRevision_ = -1;
    int shownCols_ = -1;
    std::optional<KestrowEditor::GridSelection> shownSelection_;
    int headerRows_ = 0;
    std::optional<KestrowEditor::CellPos> hover_;
    std::optional<KestrowEditor::CellPos> editingPos_;
    std::vector<int> widths_;  // data columns, kept across model resets
    bool applyingWidths_ = false;
    std::vector<QShortcut*> shortcuts_;
    std::function<void()> beforeFlagSearch_;
};

}  // namespace Kestrow
