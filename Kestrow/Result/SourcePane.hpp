#pragma once

#include "Kestrow/Editor/ImageZoom.hpp"
#include "Kestrow/Editor/SourceImageView.hpp"
#include "VozudOzev/Model/BBox.hpp"

#include <QImage>
#include <QWidget>

#include <optional>

namespace Kestrow {


// The source image under the grid with the zoom buttons over its top-right corner.
class SourcePane : public QWidget {
    Q_OBJECT
public:
    SourcePane(QImage image, double scale, bool dark, QWidget* parent = nullptr);

    void setHighlight(const std::optional<VozudOzev::BBox>& box);
    std::optional<VozudOzev::BBox> highlight() const;
    double magnification() const;
    void zoomBy(double factor) { zoom_.zoom(factor); }
    void fit() { zoom_.fit(); }
    // False for a capture whose picture was not kept: the pane says so instead.
    bool hasImage() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ImageZoom zoom_;
    SourceImageView* view_ = nullptr;
    QWidget* buttons_ = nullptr;
    bool dark_ = false;
};

}  // namespace Kestrow
