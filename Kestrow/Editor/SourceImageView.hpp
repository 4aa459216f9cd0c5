#pragma once

#include "Kestrow/Shell/Palette.hpp"
#include "Kestrow/Editor/SourceImage.hpp"

#include "VozudOzev/Model/BBox.hpp"

#include <QGraphicsView>

#include <optional>

namespace Kestrow {

class ImageZoom;
class SourceCanvas;

// The captured image beside the grid, zoomable and scrollable, with one cell's box
// highlighted and scrolled into view. A placeholder image (empty or 1 x 1, a capture whose
// image was not kept) is not drawn: the pane says there is no image instead.
//
// Use: the window makes an ImageZoom for its zoom buttons and keeps it, makes the pane with
// it, and calls setInputs with the box of the grid's selected cell (or none) and the palette.
class SourceImageView : public QGraphicsView {
    Q_OBJECT

public:
    SourceImageView(SourceImage source, ImageZoom* zoom, QWidget* parent = nullptr);

    // Same highlight again: nothing is redrawn or scrolled.
    void setInputs(const std::optional<VozudOzev::BBox>& highlight, const Palette& palette);

    void zoomBy(double factor);
    void fitToWidth();
    double magnification() const;
    bool showsImage() const { return canvas_ != nullptr; }
    const SourceImage& source() const { return source_; }
    std::optional<VozudOzev::BBox> highlight() const;
    // How often a highlight was scrolled into view (the pane scrolls only for a new one).
    int revealCount() const { return reveals_; }

protected:
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void setMagnification(double m);

    SourceImage source_;
    SourceCanvas* canvas_ = nullptr;
    bool dark_ = true;
    int reveals_ = 0;
};

}  // namespace Kestrow
