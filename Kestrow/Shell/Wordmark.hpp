#pragma once

#include <QWidget>

namespace Kestrow {

// The product word "vantrel" in the display face, ink colour.
class Wordmark final : public QWidget {
    Q_OBJECT
public:
    explicit Wordmark(double size = 28, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double size_;
};

}  // namespace Kestrow
