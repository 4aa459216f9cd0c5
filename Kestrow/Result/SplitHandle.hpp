#pragma once

#include <QWidget>

#include <functional>

namespace Kestrow {

// The divider between the grid and the source pane: a hairline with room to grab it,
// telling its owner how far it was dragged (positive downwards) and when the drag ended.
class SplitHandle : public QWidget {
    Q_OBJECT
public:
    SplitHandle(QColor hairline, std::function<void(double dy, bool finished)> onDrag, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor hairline_;
    std::function<void(double, bool)> onDrag_;
    double pressY_ = 0;
    bool dragging_ = false;
};

}  // namespace Kestrow
