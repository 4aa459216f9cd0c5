#pragma once

#include <QHash>
#include <QImage>
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
    void drawSlot(QPainter* painter, const QRect& rect, const KestrowEditor::SlotState& state, const QRectF& span,
                  const GridStyle& style) const;
    // Forgets laid-out texts (after a change of fonts).
    void clearTextCache() const;
    // The spoken description of a data slot.
    static QString accessibilityLabel(const KestrowEditor::SlotState& state);

private:
    struct Laid {
        QImage image;  // the text drawn once, or null for text of no width
        double advance = 0;
    };
    const Laid& laidOut(int fontKind, const QString& text, const QFont& font, const QFontMetricsF& fm, QColor colour,
                        qreal dpr, double width) const;

    GridContainer* grid_;
    // Shaping and drawing glyphs is most of the cost of a repaint: each text is drawn once per
    // font and colour into an image and kept (cleared when it grows large), so scrolling back
    // and repainting after an edit only copy images.
    struct TextKey {
        int fontKind;
        QRgb colour;
        QString text;
        bool operator==(const TextKey&) const = default;
        friend size_t qHash(const TextKey& k, size_t seed = 0) { return qHashMulti(seed, k.fontKind, k.colour, k.text); }
    };
    mutable QHash<TextKey, Laid> laid_;
    mutable qreal laidRatio_ = 1;
};

}  // namespace Kestrow
