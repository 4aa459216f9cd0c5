#pragma once

#include <QStringList>
#include <QWidget>

class QScreen;

namespace Kestrow {

// The card shown when the desktop has no system tray, so the icon cannot appear: how to
// reach Vantrel anyway. It takes clicks but not the focus, and leaves after ten seconds.
class NoTrayHint final : public QWidget {
    Q_OBJECT
public:
    static constexpr int lifetimeMs = 10000;

    explicit NoTrayHint(const QStringList& captureKeycaps, QWidget* parent = nullptr);
    // Top centre of the screen, below any top panel.
    void showOn(QScreen* screen);

signals:
    void openMenuRequested();
    void dontRemindRequested();

private:
    void applyTheme();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace Kestrow
