#include "Kestrow/History/HistoryRowDelegate.hpp"

#include "Kestrow/History/HistoryListModel.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/History/HistoryText.hpp"
#include "Kestrow/History/HistoryThumbnails.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Kestrow {

namespace {

constexpr int thumbWidth = 56;
constexpr int thumbHeight = 40;
constexpr int gap = 12;


// A small grid, or left-aligned lines for a capture that is text only.
void paintSymbol(QPainter& p, const QRectF& box, bool table, const QColor& colour)
{
    p.save();
    p.setPen(QPen(colour, 1.3));
    p.setBrush(Qt::NoBrush);
    const QRectF g(box.center().x() - 9, box.center().y() - 7, 18, 14);
    if (table) {
        p.drawRoundedRect(g, 2, 2);
        p.drawLine(QPointF(g.left(), g.top() + 5), QPointF(g.right(), g.top() + 5));
        p.drawLine(QPointF(g.left(), g.top() + 9.5), QPointF(g.right(), g.top() + 9.5));
        p.drawLine(QPointF(g.left() + 6, g.top()), QPointF(g.left() + 6, g.bottom()));
        p.drawLine(QPointF(g.left() + 12, g.top()), QPointF(g.left() + 12, g.bottom()));
    } else {
        const double widths[] = {18, 12, 16, 9};
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(g.left(), g.top() + 1 + i * 4), QPointF(g.left() + widths[i], g.top() + 1 + i * 4));
    }
    p.restore();
}

}  // namespace

HistoryRowDelegate::HistoryRowDelegate(const HistoryListModel& model, HistoryThumbnails& thumbnails, QObject* parent)
    : QStyledItemDelegate(parent), model_(model), thumbnails_(thumbnails)
{
}

QSize HistoryRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width() > 0 ? option.rect.width() : 480, rowHeight};
}

void HistoryRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const HistoryItem* item = model_.itemAt(index.row());
    if (item == nullptr)
        return;
    const Palette& pal = Theme::shared().palette();
    QPainter& p = *painter;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (option.state & QStyle::State_Selected)
        p.fillRect(option.rect, pal.card);

    const QRect row = option.rect.adjusted(16, 4, -16, -4);
    const QRectF thumb(row.left(), row.center().y() - thumbHeight / 2.0 + 0.5, thumbWidth, thumbHeight);
    QPainterPath rounded;
    rounded.addRoundedRect(thumb, 8, 8);
    p.fillPath(rounded, pal.card);
    const QImage image = thumbnails_.get(*item);
    if (!image.isNull()) {
        p.save();
        p.setClipPath(rounded);
        // Scaled to fill: the middle of the image, cut to the thumbnail's proportions.
        const QSizeF cover = QSizeF(image.size()).scaled(thumb.size(), Qt::KeepAspectRatioByExpanding);
        const QRectF target(thumb.center().x() - cover.width() / 2, thumb.center().y() - cover.height() / 2,
                            cover.width(), cover.height());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, image);
        p.restore();
    } else {
        paintSymbol(p, thumb, item->selectedTable() != nullptr, pal.muted);
    }
    p.setPen(QPen(pal.hairline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(thumb.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);

    // Right column first, so the texts on the left stop before it.
    const QFont small = Typography::ui(11, QFont::Normal);
    const QFontMetrics smallMetrics(small);
    const QString date = HistoryText::date(*item);
    const QString source = QString::fromStdString(item->sourceName);
    // A pixel of slack: advances are rounded and the elider would cut a text that fits.
    const int rightWidth = std::min(
        row.width() / 3, std::max(smallMetrics.horizontalAdvance(date), smallMetrics.horizontalAdvance(source)) + 2);
    const QRect right(row.right() - rightWidth, row.top(), rightWidth, row.height());
    p.setFont(small);
    p.setPen(pal.muted);
    const int lineGap = 2;
    const int twoLines = smallMetrics.height() * 2 + lineGap;
    const int rightTop = row.center().y() - twoLines / 2;
    p.drawText(QRect(right.left(), rightTop, right.width(), smallMetrics.height()), Qt::AlignRight | Qt::AlignVCenter,
               smallMetrics.elidedText(date, Qt::ElideRight, right.width()));
    p.drawText(QRect(right.left(), rightTop + smallMetrics.height() + lineGap, right.width(), smallMetrics.height()),
               Qt::AlignRight | Qt::AlignVCenter, smallMetrics.elidedText(source, Qt::ElideRight, right.width()));

    const int textLeft = static_cast<int>(thumb.right()) + gap;
    const int textWidth = std::max(0, right.left() - gap - textLeft);
    const QFont titleFont = Typography::ui(13, QFont::Medium);
    const QFont previewFont = Typography::grid(11.5, QFont::Normal);
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics previewMetrics(previewFont);
    const int textTop = row.center().y() - (titleMetrics.height() + lineGap + previewMetrics.height()) / 2;
    const QString title = HistoryText::title(*item);
    p.setFont(titleFont);
    p.setPen(pal.ink);
    const QString shownTitle = titleMetrics.elidedText(title, Qt::ElideRight, textWidth);
    p.drawText(QRect(textLeft, textTop, textWidth, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter, shownTitle);
    if (const int flagged = item->flaggedCount(); flagged > 0) {
        const int used = titleMetrics.horizontalAdvance(shownTitle) + 8;
        p.setFont(small);
        p.setPen(pal.flagText);
        const QString check = QCoreApplication::translate("HistoryRow", "%1 to check").arg(flagged);
        p.drawText(QRect(textLeft + used, textTop, std::max(0, textWidth - used), titleMetrics.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, smallMetrics.elidedText(check, Qt::ElideRight, textWidth - used));
    }
    p.setFont(previewFont);
    p.setPen(pal.muted);
    p.drawText(QRect(textLeft, textTop + titleMetrics.height() + lineGap, textWidth, previewMetrics.height()),
               Qt::AlignLeft | Qt::AlignVCenter,
               previewMetrics.elidedText(QString::fromStdString(item->preview()), Qt::ElideRight, textWidth));
    p.restore();
}

}  // namespace Kestrow
