#pragma once

#include <QStyledItemDelegate>

namespace KestrowEditor {
struct SlotState;
}

namespace Kestrow {

class GridContainer;
struct GridStyle;

// Paints each slot of the grid from the document; it never makes editors (the grid has its own).
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit GridDelegate(GridContainer* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override { return nullptr; }

    // Draws one slot in the rectangle; `span` is the whole merged cell in the same coordinates.
    static void drawSlot(QPainter* painter, const QRect& rect, const KestrowEditor::SlotState& state,
                         const QRectF& span, const GridStyle& style);
    // The spoken description of a data slot.
    static QString accessibilityLabel(const KestrowEditor::SlotState& state);

private:
    GridContainer* grid_;
};

}  // namespace Kestrow
