#include "Kestrow/Result/SplitHandle.hpp"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace Kestrow {

SplitHandle::SplitHandle(QColor hairline, std::function<void(double, bool)> onDrag, QWidget* parent)
    : QWidget(parent), hairline_(hairline), onDrag_(std::move(onDrag))
{
    setObjectName(QStringLiteral("splitHandle"));
    setFixedHeight(7);
    setCursor(Qt::SizeVerCursor);
}

void SplitHandle::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(QRect(0, 3, width(), 1), hairline_);
}

void SplitHandle::mousePressEvent(QMouseEvent* event)
{
    pressY_ = event->globalPosition().y();
    dragging_ = false;
}

void SplitHandle::mouseMoveEvent(QMouseEvent* event)
{
    const double dy = event->globalPosition().y() - pressY_;
    if (!dragging_ && std::abs(dy) < 1)
        return;
    dragging_ = true;
    onDrag_(dy, false);
}

void SplitHandle::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_)
        onDrag_(event->globalPosition().y() - pressY_, true);
    dragging_ = false;
}

}  // namespace Kestrow
