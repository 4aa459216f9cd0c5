#pragma once

#include <QImage>
#include <QWidget>

namespace Kestrow {

struct GridStyle;

// The floating card with a cell's crop of the source image. It never takes a click.
class CropPreview : public QWidget {
    Q_OBJECT

public:
    explicit CropPreview(QWidget* parent = nullptr);

    void apply(const GridStyle& style);
    // Shows the image in a card with the given frame (the shadow is drawn around it).
    void show(const QImage& image, const QRectF& frame);
    QRectF cardFrame() const { return frame_; }
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QRectF frame_;
    QColor background_;
    QColor border_;
};

}  // namespace Kestrow
