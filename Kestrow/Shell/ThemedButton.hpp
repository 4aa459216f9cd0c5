#pragma once

#include <QPushButton>

namespace Kestrow {

// The two shared button looks: primary (filled with primaryFill, 80 % while pressed) and
// secondary (card fill with a hairline border, 60 % while pressed).
class ThemedButton final : public QPushButton {
    Q_OBJECT
public:
    enum class Style { primary, secondary };
    ThemedButton(const QString& text, Style style, QWidget* parent = nullptr);
    Style style() const { return style_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Style style_;
};

}  // namespace Kestrow
