#pragma once

#include "Kestrow/Settings/SettingsTab.hpp"

#include <QAbstractButton>

namespace Kestrow {

// One button of the settings tab bar: the tab's symbol over its title, 92 × 50, in the accent
// colour on a card-coloured tile when selected.
class SettingsTabButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit SettingsTabButton(SettingsTab tab, QWidget* parent = nullptr);
    SettingsTab tab() const { return tab_; }
    QSize sizeHint() const override { return {92, 50}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SettingsTab tab_;
};

}  // namespace Kestrow
