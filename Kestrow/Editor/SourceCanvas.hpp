#pragma once

#include "Kestrow/Editor/SourceImage.hpp"

#include "VozudOzev/Model/BBox.hpp"

#include <QColor>
#include <QGraphicsItem>

#include <optional>

namespace Kestrow {

// The captured image on a mat, with a drop shadow, a thin edge and the highlighted cell box.
// Lines keep their screen width at every zoom.
class SourceCanvas : public QGraphicsItem {
public:
    explicit SourceCanvas(SourceImage source);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    const std::optional<VozudOzev::BBox>& highlight() const { return highlight_; }
    void setHighlight(std::optional<VozudOzev::BBox> box);
    void setColours(QColor stroke, QColor fill, QColor edge);

    static QColor mat(bool dark);
    static QColor edge(bool dark);

private:
    // The area a highlight paints, in item points, its stroke included.
    QRectF highlightRect(const VozudOzev::BBox& box) const;

    SourceImage source_;
    std::optional<VozudOzev::BBox> highlight_;
    QColor stroke_;
    QColor fill_ = Qt::transparent;
    QColor edge_;
};

}  // namespace Kestrow
