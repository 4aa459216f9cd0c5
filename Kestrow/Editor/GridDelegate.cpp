#include "Kestrow/Editor/GridDelegate.hpp"

#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Editor/GridStyle.hpp"

#include "KestrowEditor/EditorDocument.hpp"
#include "KestrowEditor/SlotState.hpp"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace Kestrow {

using KestrowEditor::SlotState;

GridDelegate::GridDelegate(GridContainer* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* doc = grid_->document();
    if (!doc)
        return;
    const SlotState state = SlotState::make(*doc, index.row(), index.column(), doc->selectedRect(),
                                            grid_->headerRows(), grid_->threshold());
    QRectF span = option.rect;
    if (state.span)
        span = grid_->viewRect(*state.span);
    drawSlot(painter, option.rect, state, span, grid_->style());
}

void GridDelegate::drawSlot(QPainter* p, const QRect& rect, const SlotState& s, const QRectF& span,
                            const GridStyle& style)
{
    const bool gutter = s.kind == SlotState::Kind::gutter;
    const QRectF b = rect;
    p->save();
    p->setClipRect(rect);
    p->fillRect(b, gutter || s.header ? style.header : style.window);
    if (!gutter && s.flagged)
        p->fillRect(b, style.flagFill);
    if (s.inSelection)
        p->fillRect(b, style.selFill);
    // Slots inside a merged cell draw no lines between them.
    if (s.rightEdge || gutter)
        p->fillRect(QRectF(b.left() + b.width() - 1, b.top(), 1, b.height()), style.hairline);
    if (s.bottomEdge)
        p->fillRect(QRectF(b.left(), b.top() + b.height() - 1, b.width(), 1), style.hairline);

    if (!s.text.empty()) {
        const QFont& font = gutter ? style.gutterFont : s.header ? style.headerFont : style.font;
        const QColor& colour = gutter ? (s.inSelection ? style.ink : style.muted) : s.flagged ? style.flagText : style.ink;
        const QFontMetricsF fm(font);
        const QRectF t = s.span ? span : b;
        const double lineHeight = std::ceil(fm.ascent() + fm.descent());
        const QRectF box(t.left() + 6, t.top() + (t.height() - lineHeight) / 2, t.width() - 12, lineHeight);
        // One line: line ends in a cell show as spaces.
        QString text = QString::fromStdString(s.text);
        text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        const QString shown = fm.elidedText(text, Qt::ElideRight, std::max(0.0, box.width()));
        p->setFont(font);
        p->setPen(colour);
        p->drawText(box, (gutter ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }

    if (!gutter) {
        p->setRenderHint(QPainter::Antialiasing, true);
        if (s.flagged) {
            QPen dash(style.flagText, 1);
            dash.setDashPattern({3, 2});
            p->setPen(dash);
            p->setBrush(Qt::NoBrush);
            p->drawRect(QRectF(b.left() + 2.5, b.top() + 2.5, b.width() - 5, b.height() - 5));
            QPainterPath corner;
            const double maxX = b.left() + b.width();
            corner.moveTo(maxX - 9, b.top() + 1);
            corner.lineTo(maxX - 1, b.top() + 1);
            corner.lineTo(maxX - 1, b.top() + 9);
            corner.closeSubpath();
            p->fillPath(corner, style.flagText);
        }
        if (s.mismatch) {
            p->setPen(QPen(style.mismatch, 1.5));
            p->setBrush(Qt::NoBrush);
            p->drawRect(QRectF(b.left() + 1.75, b.top() + 1.75, b.width() - 3.5, b.height() - 3.5));
        }
        p->setRenderHint(QPainter::Antialiasing, false);
        if (s.inSelection) {
            const double w = b.width(), h = b.height();
            if (s.selTop)
                p->fillRect(QRectF(b.left(), b.top(), w, 2), style.selStroke);
            if (s.selBottom)
                p->fillRect(QRectF(b.left(), b.top() + h - 2, w, 2), style.selStroke);
            if (s.selLeft)
                p->fillRect(QRectF(b.left(), b.top(), 2, h), style.selStroke);
            if (s.selRight)
                p->fillRect(QRectF(b.left() + w - 2, b.top(), 2, h), style.selStroke);
        }
    }
    p->restore();
}

QString GridDelegate::accessibilityLabel(const SlotState& s)
{
    auto tr = [](const char* text) { return QCoreApplication::translate("GridCell", text); };
    QStringList parts;
    parts << (s.text.empty() ? tr("Empty cell") : QString::fromStdString(s.text));
    if (s.flagged)
        parts << tr("needs checking");
    if (s.mismatch)
        parts << tr("doesn't match the column type");
    if (s.edited)
        parts << tr("edited");
    return parts.join(QStringLiteral(", "));
}

}  // namespace Kestrow
