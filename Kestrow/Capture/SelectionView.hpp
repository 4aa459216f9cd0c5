#pragma once

#include "Kestrow/Capture/FrozenFrame.hpp"

#include <QPointF>
#include <QWidget>

#include <functional>
#include <optional>

namespace Kestrow {

// One screen's overlay window: the frozen frame dimmed, the hint pill until a drag starts,
// then the selection undimmed with its outline and size label.
class SelectionView final : public QWidget {
    Q_OBJECT
public:
    explicit SelectionView(FrozenFrame frame, QWidget* parent = nullptr);

    std::function<void(QRectF)> onDone;  // the selection in view coordinates
    std::function<void()> onCancel;
    QString hint;
    double topInset = 24;

    const FrozenFrame& frame() const { return frame_; }
    // Shows another frame (the window is kept between selections: making a full-screen window
    // anew costs far more than showing it again). Clears any drag.
    void setFrame(FrozenFrame frame);
    // Lets go of the pictures while the window waits hidden.
    void releaseFrame();
    std::optional<QPointF> start() const { return start_; }
    std::optional<QPointF> current() const { return current_; }

    // The frame with the overlay's dim laid over it.
    static QImage dim(const QImage& frame);

    // Renders the view at the frame's device pixel ratio, without showing it (screenshots).
    QImage render();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paint(QPainter& p);
    // What a drag state covers on screen: the selection, its outline and its size label.
    QRect footprint() const;

    QImage dimmed_;  // the frame with the dim already laid over it, painted as it is
    FrozenFrame frame_;
    std::optional<QPointF> start_;
    std::optional<QPointF> current_;
};

}  // namespace Kestrow
