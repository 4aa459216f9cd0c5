#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace Kestrow {

// The sample table's picture, fitted to the space by its aspect ratio, never drawn wider
// than its own width in points, centred, with rounded corners and a hairline border.
class SamplePicture : public QWidget {
    Q_OBJECT
public:
    explicit SamplePicture(QWidget* parent = nullptr);

    // A null image shows nothing.
    void setImage(QImage image, QColor border);
    const QImage& image() const { return image_; }
    // Where the picture is drawn inside the widget's rectangle.
    QRectF pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QColor border_;
};

}  // namespace Kestrow
