#include "Kestrow/Editor/GridContainer.hpp"

#include "Kestrow/Editor/CropPreview.hpp"
#include "Kestrow/Editor/GridDelegate.hpp"
#include "Kestrow/Editor/GridHeaderView.hpp"
#include "Kestrow/Editor/GridModel.hpp"
#include "Kestrow/Editor/GridTableView.hpp"

#include "KestrowEditor/ColumnWidths.hpp"
#include "KestrowEditor/CropCard.hpp"
#include "KestrowEditor/EditorCommands.hpp"
#include "KestrowEditor/EditorDocument.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <cmath>

namespace Kestrow {

using KestrowEditor::CellPos;
using KestrowEditor::CellRect;
using KestrowEditor::EditorDocument;
using KestrowEditor::GridSelection;

namespace {

constexpr int rowHeight = 26;
constexpr int gutterWidth = 44;
constexpr int minColumnWidth = 28;
constexpr int maxColumnWidth = 2000;

VozudOzev::BBox toBox(const QRectF& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

GridContainer::GridContainer(EditorDocument* doc, SourceImage source, QWidget* parent)
    : QWidget(parent),
      doc_(nullptr),
      source_(std::move(source)),
      style_(Palette::dark()),
      table_(new GridTableView(this, this)),
      model_(new GridModel(this)),
      delegate_(new GridDelegate(this)),
      crop_(new CropPreview(this)),
      editorBox_(new QFrame(table_->viewport())),
      editor_(new QLineEdit(editorBox_))
{
    table_->setModel(model_);
    table_->setItemDelegate(delegate_);
    auto* header = new GridHeaderView(this, table_);
    table_->setHorizontalHeader(header);
    header->setMinimumSectionSize(minColumnWidth);
    header->setMaximumSectionSize(maxColumnWidth);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setMinimumSectionSize(rowHeight);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(rowHeight);
    table_->setShowGrid(false);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setCornerButtonEnabled(false);
    table_->setFrameShape(QFrame::NoFrame);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->setFocusPolicy(Qt::StrongFocus);
    table_->viewport()->setMouseTracking(true);
    table_->setMouseTracking(true);
    connect(header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (applyingWidths_ || logical < 1 || std::size_t(logical - 1) >= widths_.size())
            return;
        widths_[std::size_t(logical - 1)] = size;
        if (editingPos_)
            placeEditor();
        updateCrop();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    crop_->raise();

    editorBox_->hide();
    editor_->setFrame(false);
    editor_->setAttribute(Qt::WA_MacShowFocusRect, false);
    editor_->installEventFilter(this);

    auto addShortcut = [this](QKeySequence keys, auto action) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
        shortcuts_.push_back(s);
    };
    // While the in-place editor has focus it takes Ctrl+Z itself (its own undo), so these
    // reach the document only outside an edit.
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), [this] {
        if (!editingPos_)
            doc_->undo();
    });
    addShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] {
        if (!editingPos_)
            doc_->redo();
    });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Apostrophe), [this] {
        if (!editingPos_)
            nextFlagged();
    });

    applyStyle();
    attach(doc);
    refresh();
}

GridContainer::~GridContainer() = default;

void GridContainer::setUndoShortcutsEnabled(bool enabled)
{
    shortcuts_[0]->setEnabled(enabled);
    shortcuts_[1]->setEnabled(enabled);
}

void GridContainer::attach(EditorDocument* doc)
{
    doc_ = doc;
    model_->setDocument(doc);
    // The listener stays with the document; it does nothing once this grid is gone or shows
    // another document, so the grid never has to reach a document that may be gone.
    doc->addListener([self = QPointer<GridContainer>(this), doc] {
        if (self && self->doc_ == doc)
            self->refresh();
    });
}

void GridContainer::setInputs(EditorDocument* doc, double threshold, const Palette& palette)
{
    bool changed = false;
    if (doc && doc != doc_) {
        endEditing(true);
        attach(doc);
        shownCols_ = -1;
        shownRevision_ = -1;
        hover_.reset();
        changed = true;
    }
    // A style resolves its fonts: made only when the palette changes, not on every edit.
    const bool newPalette = palette.window.name(QColor::HexArgb) != style_.key;
    if (newPalette || threshold != threshold_) {
        if (newPalette)
            style_ = GridStyle(palette);
        threshold_ = threshold;
        model_->setThreshold(threshold);
        applyStyle();
        changed = true;
    }
    if (doc_->revision() != shownRevision_) {
        refresh();
    } else if (changed) {
        model_->refresh();
        table_->viewport()->update();
        selectionChanged();
    } else {
        selectionChanged();
    }
}

void GridContainer::setSource(SourceImage source)
{
    source_ = std::move(source);
    updateCrop();
}

void GridContainer::refresh()
{
    if (doc_->revision() != shownRevision_) {
        if (editingPos_)
            endEditing(false);
        shownRevision_ = doc_->revision();
        headerRows_ = doc_->headerRowCount();
        if (doc_->table().cols != shownCols_)
            rebuildColumns();
        else
            model_->refresh();
        applyColumnWidths();
        table_->viewport()->update();
        // A new revision may change what a selection covers, so repaint it even if it stayed.
        shownSelection_.reset();
    }
    selectionChanged();
    emit documentChanged();
}

void GridContainer::applyStyle()
{
    QPalette pal = table_->palette();
    pal.setColor(QPalette::Base, style_.window);
    pal.setColor(QPalette::Window, style_.window);
    table_->setPalette(pal);
    table_->viewport()->setAutoFillBackground(true);
    table_->viewport()->setPalette(pal);
    table_->horizontalHeader()->viewport()->update();
    editorBox_->setStyleSheet(QStringLiteral("QFrame { background: %1; border: 2px solid %2; }")
                                  .arg(style_.card.name(QColor::HexArgb), style_.selStroke.name(QColor::HexArgb)));
    editor_->setFont(style_.font);
    editor_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; color: %1; }")
                               .arg(style_.ink.name(QColor::HexArgb)));
    crop_->apply(style_);
    delegate_->clearTextCache();
    table_->viewport()->update();
}

void GridContainer::rebuildColumns()
{
    shownCols_ = doc_->table().cols;
    model_->refresh();
    const auto measured = KestrowEditor::columnWidths(
        doc_->table(), doc_->headerRowCount(), [this](const std::string& text, bool header) {
            return (header ? style_.headerMetrics : style_.fontMetrics).horizontalAdvance(QString::fromStdString(text));
        });
    widths_.clear();
    for (const double w : measured)
        widths_.push_back(int(std::ceil(w)));
    auto* header = table_->horizontalHeader();
    if (model_->columnCount() > 0)
        header->setSectionResizeMode(0, QHeaderView::Fixed);
}

void GridContainer::applyColumnWidths()
{
    auto* header = table_->horizontalHeader();
    applyingWidths_ = true;
    if (model_->columnCount() > 0) {
        header->setSectionResizeMode(0, QHeaderView::Fixed);
        header->resizeSection(0, gutterWidth);
    }
    // Data columns keep the header's default, user-resizable mode.
    for (std::size_t i = 0; i < widths_.size() && int(i) + 1 < model_->columnCount(); ++i)
        header->resizeSection(int(i) + 1, widths_[i]);
    applyingWidths_ = false;
}

std::optional<VozudOzev::BBox> GridContainer::selectedBox() const
{
    const auto anchor = doc_->selectedAnchor();
    const auto* cell = anchor ? doc_->cell(*anchor) : nullptr;
    return cell ? cell->bbox : std::nullopt;
}

std::vector<int> GridContainer::columnWidths() const
{
    std::vector<int> out;
    for (int c = 1; c < model_->columnCount(); ++c)
        out.push_back(table_->horizontalHeader()->sectionSize(c));
    return out;
}

QRect GridContainer::viewRect(const CellRect& area) const
{
    const int rows = model_->rowCount(), cols = model_->columnCount();
    if (rows == 0 || cols < 2)
        return {};
    auto clampRow = [rows](int r) { return std::clamp(r, 0, rows - 1); };
    auto clampCol = [cols](int c) { return std::clamp(c, 1, cols - 1); };
    const QRect a = table_->visualRect(model_->index(clampRow(area.minRow), clampCol(area.minCol + 1)));
    const QRect b = table_->visualRect(model_->index(clampRow(area.maxRow), clampCol(area.maxCol + 1)));
    return a.united(b);
}

void GridContainer::selectionChanged()
{
    const auto& sel = doc_->selection();
    if (sel != shownSelection_) {
        shownSelection_ = sel;
        table_->viewport()->update();
        if (sel && sel->focus.row < model_->rowCount() && sel->focus.col + 1 < model_->columnCount())
            table_->scrollTo(model_->index(sel->focus.row, sel->focus.col + 1));
    }
    updateCrop();
}

void GridContainer::beginEditing(std::optional<QString> replacingWith)
{
    const auto anchor = doc_->selectedAnchor();
    if (!anchor)
        return;
    const CellRect span = doc_->spanRect(*anchor);
    if (span.minRow < model_->rowCount() && span.minCol + 1 < model_->columnCount())
        table_->scrollTo(model_->index(span.minRow, span.minCol + 1));
    editingPos_ = anchor;
    doc_->select(*anchor, false);
    placeEditor();
    const auto* cell = doc_->cell(*anchor);
    editor_->setText(replacingWith ? *replacingWith : cell ? QString::fromStdString(cell->text) : QString());
    editorBox_->show();
    editorBox_->raise();
    editor_->setFocus(Qt::OtherFocusReason);
    if (replacingWith) {
        editor_->deselect();
        editor_->setCursorPosition(int(editor_->text().size()));
    } else {
        editor_->selectAll();
    }
    updateCrop();
}

void GridContainer::placeEditor()
{
    if (!editingPos_)
        return;
    const QRect frame = viewRect(doc_->spanRect(*editingPos_)).adjusted(-1, -1, 1, 1);
    editorBox_->setGeometry(frame);
    const QFontMetricsF fm(style_.font);
    const int h = int(std::ceil(fm.ascent() + fm.descent() + fm.leading())) + 2;
    editor_->setGeometry(4, (frame.height() - h) / 2, std::max(0, frame.width() - 8), h);
}

void GridContainer::endEditing(bool commit, const std::function<void()>& then)
{
    if (!editingPos_)
        return;
    const CellPos pos = *editingPos_;
    editingPos_.reset();
    const QString text = editor_->text();
    editorBox_->hide();
    table_->setFocus(Qt::OtherFocusReason);
    if (commit)
        doc_->setText(text.toStdString(), pos, threshold_);
    if (then)
        then();
    if (!table_->hasFocus())
        table_->setFocus(Qt::OtherFocusReason);
    selectionChanged();
}

bool GridContainer::editorKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        endEditing(true, [this] { doc_->move(1, 0, false); });
        return true;
    case Qt::Key_Tab:
        endEditing(true, [this] { doc_->tab(false); });
        return true;
    case Qt::Key_Backtab:
        endEditing(true, [this] { doc_->tab(true); });
        return true;
    case Qt::Key_Escape:
        endEditing(false);
        return true;
    default:
        return false;
    }
}

bool GridContainer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_) {
        if (event->type() == QEvent::KeyPress && editingPos_)
            return editorKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut && editingPos_) {
            // A menu opening or the window losing focus leaves the edit open, as a click
            // elsewhere in the window does not.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                endEditing(true);
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool GridContainer::key(QKeyEvent* event)
{
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        beginEditing(std::nullopt);
        break;
    case Qt::Key_Tab:
        doc_->tab(shift);
        break;
    case Qt::Key_Backtab:
        doc_->tab(true);
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        doc_->clearSelection();
        break;
    case Qt::Key_Escape:
        if (const auto& sel = doc_->selection())
            doc_->setSelection(GridSelection(sel->focus));
        break;
    case Qt::Key_Left:
        doc_->move(0, -1, shift);
        break;
    case Qt::Key_Right:
        doc_->move(0, 1, shift);
        break;
    case Qt::Key_Down:
        doc_->move(1, 0, shift);
        break;
    case Qt::Key_Up:
        doc_->move(-1, 0, shift);
        break;
    default: {
        if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
        const QString text = event->text();
        if (text.isEmpty())
            return false;
        for (const char32_t c : text.toUcs4()) {
            if (QChar::category(c) == QChar::Other_Control || c >= 0xF700)
                return false;
        }
        // Typing replaces the cell's text.
        beginEditing(text);
        selectionChanged();
        return true;
    }
    }
    selectionChanged();
    return true;
}

void GridContainer::setHover(int row, int column)
{
    std::optional<CellPos> next;
    if (row >= 0 && column > 0)
        next = doc_->spanRect(CellPos(row, column - 1)).origin();
    if (next == hover_)
        return;
    hover_ = next;
    updateCrop();
}

void GridContainer::setBeforeFlagSearch(std::function<void()> bringUpToDate)
{
    beforeFlagSearch_ = std::move(bringUpToDate);
}

void GridContainer::nextFlagged()
{
    endEditing(true);
    if (beforeFlagSearch_)
        beforeFlagSearch_();
    if (doc_->selectNextFlagged(threshold_))
        selectionChanged();
    else
        QApplication::beep();
    table_->setFocus(Qt::OtherFocusReason);
}

void GridContainer::updateCrop()
{
    auto hide = [this] { crop_->hide(); };
    std::optional<CellPos> pos = hover_ ? hover_ : editingPos_ ? editingPos_ : doc_->selectedAnchor();
    if (!pos)
        return hide();
    const auto* cell = doc_->cell(*pos);
    if (!cell || !cell->bbox)
        return hide();
    const auto cut = source_.crop(*cell->bbox);
    if (!cut)
        return hide();
    const CellRect span = doc_->spanRect(*pos);
    if (!(span.maxCol + 1 < model_->columnCount() && span.maxRow < model_->rowCount()))
        return hide();
    const QRect r = viewRect(span);
    if (!r.intersects(table_->viewport()->rect()))
        return hide();
    const QRectF inContainer = QRectF(r.translated(table_->viewport()->mapTo(this, QPoint(0, 0))));
    const auto frame = KestrowEditor::CropCard::place(cut->pointSize.width(), cut->pointSize.height(),
                                                      toBox(inContainer), toBox(QRectF(rect())));
    crop_->show(cut->image, QRectF(frame.x, frame.y, frame.w, frame.h));
}

QMenu* GridContainer::contextMenu(int row, int column)
{
    if (row >= 0) {
        const auto rect = doc_->selectedRect();
        if (column >= 1) {
            // A right-click inside the selection keeps it.
            if (!rect || !rect->contains(CellPos(row, column - 1)))
                doc_->select(CellPos(row, column - 1), false);
        } else if (column == 0) {
            if (!(rect && rect->minRow <= row && row <= rect->maxRow)) {
                doc_->select(CellPos(row, 0), false);
                doc_->select(CellPos(row, doc_->table().cols - 1), true);
            }
        }
    }
    selectionChanged();

    auto* menu = new QMenu(this);
    for (auto& item : KestrowEditor::EditorCommands::items(*doc_)) {
        if (!item) {
            menu->addSeparator();
            continue;
        }
        auto* action = menu->addAction(QCoreApplication::translate("EditorCommands", item->title.c_str()));
        action->setEnabled(item->enabled);
        connect(action, &QAction::triggered, this, [self = QPointer<GridContainer>(this), run = item->run] {
            run();
            if (self)
                self->selectionChanged();
        });
    }
    return menu;
}

void GridContainer::hideEvent(QHideEvent* event)
{
    endEditing(true);
    QWidget::hideEvent(event);
}

void GridContainer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateCrop();
}

}  // namespace Kestrow
