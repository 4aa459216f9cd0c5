#include "Kestrow/Editor/GridHeaderView.hpp"

#include "Kestrow/Editor/GridContainer.hpp"

#include <QPainter>

namespace Kestrow {

GridHeaderView::GridHeaderView(GridContainer* grid, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), grid_(grid)
{
    setFixedHeight(22);
    setSectionsClickable(false);
    setHighlightSections(false);
}

void GridHeaderView::paintEvent(QPaintEvent* event)
{
    {
        QPainter p(viewport());
        p.fillRect(viewport()->rect(), grid_->style().header);
    }
    QHeaderView::paintEvent(event);
}

void GridHeaderView::paintSection(QPainter* p, const QRect& rect, int logicalIndex) const
{
    const auto& style = grid_->style();
    p->save();
    p->fillRect(rect, style.header);
    p->fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), style.hairline);
    p->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), style.hairline);
    const QString title = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    p->setFont(style.gutterFont);
    p->setPen(style.muted);
    p->drawText(rect, Qt::AlignCenter, title);
    p->restore();
}

}  // namespace Kestrow
