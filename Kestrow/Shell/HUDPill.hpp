#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QScreen;
class QTimer;

namespace Kestrow {

// The small dark pill of toasts and the progress indication: an optional leading icon or
// spinner, then the text (wrapping past 520 points of width). Shown as a frameless,
// override-redirect window that never takes focus and, when click-through, lets clicks pass.
class HUDPill final : public QWidget {
    Q_OBJECT
public:
    enum class Leading { none, success, warning, spinner };

    HUDPill(QString text, Leading leading, bool clickThrough);

    const QString& text() const { return text_; }
    Leading leading() const { return leading_; }
    QSize sizeHint() const override;

    // Places the pill at the top centre of a screen, under the panel band (at least 24 points),
    // 12 points further down.
    void placeOn(const QRect& screenGeometry, const QRect& availableGeometry);
    static QRect frameFor(QSize pill, const QRect& screenGeometry, const QRect& availableGeometry);

    static constexpr int maxWidth = 520;

    // The screen the user is looking at: the one under the pointer, else the primary.
    static QScreen* activeScreen();
    // Tells assistive technologies to read the pill's text out.
    void announce();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRectF textRect(const QSize& size) const;

    QString text_;
    Leading leading_;
    QTimer* spin_ = nullptr;
    int angle_ = 0;
};

}  // namespace Kestrow
