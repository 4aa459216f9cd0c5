#pragma once

#include <QCheckBox>

namespace Kestrow {

// A check box drawn as an on/off switch (a pill with a sliding knob), in the theme's accent.
class SettingsSwitch : public QCheckBox {
    Q_OBJECT
public:
    explicit SettingsSwitch(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {36, 20}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace Kestrow
