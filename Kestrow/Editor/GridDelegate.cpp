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

void GridDelegate::clearTextCache() const
{
    laid_.clear();
}

const GridDelegate::Laid& GridDelegate::laidOut(int fontKind, const QString& text, const QFont& font,
                                                const QFontMetricsF& fm, QColor colour, qreal dpr, double width) const
{
    if (dpr != laidRatio_) {
        laid_.clear();
        laidRatio_ = dpr;
    }
    const TextKey key{fontKind, colour.rgba(), text};
    auto it = laid_.constFind(key);
    if (it != laid_.constEnd())
        return *it;
    if (laid_.size() > 6000)
        laid_.clear();
    Laid laid;
    laid.advance = fm.horizontalAdvance(text);
    const QSize size(int(std::ceil(laid.advance * dpr)) + 2, int(std::ceil((fm.ascent() + fm.descent()) * dpr)) + 2);
    // A text too wide for its cell is elided by the caller: only what is shown is drawn.
    if (laid.advance > 0 && laid.advance <= width) {
        laid.image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        laid.image.setDevicePixelRatio(dpr);
        laid.image.fill(Qt::transparent);
        QPainter p(&laid.image);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QPointF(0, fm.ascent()), text);
    }
    return *laid_.insert(key, std::move(laid));
}

void GridDelegate::drawSlot(QPainter* p, const QRect& rect, const SlotState& s, const QRectF& span,
                            const GridStyle& style) const
{
    const bool gutter = s.kind == SlotState::Kind::gutter;
    const QRectF b = rect;
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
        const QFontMetricsF& fm = gutter ? style.gutterMetrics : s.header ? style.headerMetrics : style.fontMetrics;
        const QColor& colour = gutter ? (s.inSelection ? style.ink : style.muted) : s.flagged ? style.flagText : style.ink;
        // A merged cell's slots all draw its text at one place in the merged rectangle.
        const QRectF t = s.span ? span : b;
        const double lineHeight = std::ceil(fm.ascent() + fm.descent());
        const double width = std::max(0.0, t.width() - 12);
        QString text = QString::fromStdString(s.text);
        // One line: line ends in a cell show as spaces.
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
            text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        const qreal dpr = p->device() ? p->device()->devicePixelRatioF() : 1.0;
        const int kind = gutter ? 2 : s.header ? 1 : 0;
        const Laid* laid = &laidOut(kind, text, font, fm, colour, dpr, width);
        if (laid->advance > width)
            laid = &laidOut(kind, fm.elidedText(text, Qt::ElideRight, width), font, fm, colour, dpr, width);
        const QPointF topLeft(gutter ? t.left() + 6 + width - laid->advance : t.left() + 6,
                              t.top() + (t.height() - lineHeight) / 2);
        if (!laid->image.isNull() && s.span) {
            p->save();
            p->setClipRect(rect, Qt::IntersectClip);
            p->drawImage(topLeft, laid->image);
            p->restore();
        } else if (!laid->image.isNull()) {
            p->drawImage(topLeft, laid->image);
        }
    }

    if (!gutter && (s.flagged || s.mismatch || s.inSelection)) {
        p->save();
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
        p->restore();
    }
}

QString GridDelegate::accessibilityLabel(const SlotState& s)
{
    QStringList parts;
    parts << (s.text.empty() ? QCoreApplication::translate("GridCell", "Empty cell") : QString::fromStdString(s.text));
    if (s.flagged)
        parts << QCoreApplication::translate("GridCell", "needs checking");
    if (s.mismatch)
        parts << QCoreApplication::translate("GridCell", "doesn't match the column type");
    if (s.edited)
        parts << QCoreApplication::translate("GridCell", "edited");
    return parts.join(QStringLiteral(", "));
}

}  // namespace Kestrow
