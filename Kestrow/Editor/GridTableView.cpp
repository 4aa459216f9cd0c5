#include "Kestrow/Editor/GridTableView.hpp"

#include "Kestrow/Editor/GridContainer.hpp"

#include "KestrowEditor/EditorDocument.hpp"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <memory>

namespace Kestrow {

using KestrowEditor::CellPos;

GridTableView::GridTableView(GridContainer* controller, QWidget* parent)
    : QTableView(parent), controller_(controller)
{
    autoScroll_.setInterval(50);
    connect(&autoScroll_, &QTimer::timeout, this, &GridTableView::autoScrollStep);
}

bool GridTableView::event(QEvent* event)
{
    // Tab and Shift-Tab move inside the grid instead of to the next widget.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QTableView::event(event);
}

bool GridTableView::focusNextPrevChild(bool)
{
    return false;
}

void GridTableView::keyPressEvent(QKeyEvent* event)
{
    if (controller_ && controller_->key(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridTableView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (!controller_ || event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const int row = rowAt(pos.y()), column = columnAt(pos.x());
    if (row < 0 || column < 0)
        return;
    auto* doc = controller_->document();
    controller_->endEditing(true);
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (column >= 1) {
        doc->select(CellPos(row, column - 1), shift);
    } else {
        // Whole rows, from the anchor row when extending; the document keeps both ends inside
        // the table (a table without columns has no selection).
        const int anchorRow = shift && doc->selection() ? doc->selection()->anchor.row : row;
        doc->select(CellPos(anchorRow, 0), false);
        doc->select(CellPos(row, doc->table().cols - 1), true);
    }
    lastDragPos_ = pos;
    controller_->selectionChanged();
}

void GridTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    if (!controller_ || event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if (rowAt(pos.y()) >= 0 && columnAt(pos.x()) >= 1) {
        controller_->beginEditing(std::nullopt);
        controller_->selectionChanged();
    }
}

void GridTableView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        if (controller_ && isActiveWindow())
            controller_->setHover(rowAt(pos.y()), columnAt(pos.x()));
        return;
    }
    lastDragPos_ = pos;
    if (!viewport()->rect().contains(pos)) {
        if (!autoScroll_.isActive())
            autoScroll_.start();
        autoScrollStep();
        return;
    }
    autoScroll_.stop();
    dragTo(pos);
}

void GridTableView::mouseReleaseEvent(QMouseEvent*)
{
    autoScroll_.stop();
}

void GridTableView::dragTo(QPoint pos)
{
    if (!controller_)
        return;
    auto* doc = controller_->document();
    const int row = rowAt(pos.y()), column = columnAt(pos.x());
    // Dragging over the gutter, or with nothing selected, changes nothing.
    if (row < 0 || column < 1 || !doc->selection())
        return;
    doc->select(CellPos(row, column - 1), true);
    controller_->selectionChanged();
}

void GridTableView::autoScrollStep()
{
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        autoScroll_.stop();
        return;
    }
    const QRect area = viewport()->rect();
    const QPoint p = lastDragPos_;
    auto* v = verticalScrollBar();
    auto* h = horizontalScrollBar();
    if (p.y() < area.top())
        v->setValue(v->value() - v->singleStep());
    else if (p.y() > area.bottom())
        v->setValue(v->value() + v->singleStep());
    if (p.x() < area.left())
        h->setValue(h->value() - h->singleStep());
    else if (p.x() > area.right())
        h->setValue(h->value() + h->singleStep());
    // Extend to the slot at the edge nearest the pointer.
    dragTo(QPoint(std::clamp(p.x(), area.left(), area.right()), std::clamp(p.y(), area.top(), area.bottom())));
}

void GridTableView::leaveEvent(QEvent* event)
{
    if (controller_ && controller_->hover())
        controller_->setHover(-1, -1);
    QTableView::leaveEvent(event);
}

bool GridTableView::viewportEvent(QEvent* event)
{
    // Leaving the cells for the column header is leaving them too.
    if (event->type() == QEvent::Leave && controller_ && controller_->hover())
        controller_->setHover(-1, -1);
    return QTableView::viewportEvent(event);
}

void GridTableView::contextMenuEvent(QContextMenuEvent* event)
{
    if (!controller_)
        return;
    const QPoint pos = event->pos();  // viewport coordinates, as for mouse events
    std::unique_ptr<QMenu> menu(controller_->contextMenu(rowAt(pos.y()), columnAt(pos.x())));
    menu->exec(event->globalPos());
}

void GridTableView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (controller_)
        controller_->updateCrop();
}

}  // namespace Kestrow
