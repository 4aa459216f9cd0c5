#pragma once

#include "VozudOzev/Model/BBox.hpp"

#include <QImage>
#include <QWidget>

#include <optional>

class QScrollArea;

namespace Kestrow {

class SourceCanvas;

// The captured image under the grid, zoomable, with the selected cell's box marked and the
// zoom buttons over its top-right corner. A placeholder image (null or 1 x 1) shows a line
// saying there is no image.
class SourcePane : public QWidget {
    Q_OBJECT
public:
    static constexpr double minZoom = 0.05, maxZoom = 8.0, margin = 14.0;

    SourcePane(QImage image, double scale, bool dark, QWidget* parent = nullptr);

    void setHighlight(const std::optional<VozudOzev::BBox>& box);
    std::optional<VozudOzev::BBox> highlight() const;
    double magnification() const;
    // Multiplies the magnification, clamped, keeping the visible centre.
    void zoomBy(double factor);
    // The visible width over the canvas width, at most 1.
    void fit();
    bool hasImage() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    SourceCanvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    bool fitted_ = false;
};

}  // namespace Kestrow
