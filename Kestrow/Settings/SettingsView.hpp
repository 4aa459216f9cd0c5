#pragma once

#include "Kestrow/Settings/SettingsContext.hpp"
#include "Kestrow/Settings/SettingsTab.hpp"

#include <QWidget>

#include <map>

class QScrollArea;

namespace Kestrow {

class SettingsTabButton;

// The settings window's content: a bar of tab buttons, a hairline, and below it the selected
// tab's page in a scrolling column at most 820 wide, centred.
class SettingsView final : public QWidget {
    Q_OBJECT
public:
    explicit SettingsView(SettingsContext context, QWidget* parent = nullptr);

    SettingsTab tab() const { return tab_; }
    void selectTab(SettingsTab tab);
    QWidget* page(SettingsTab tab) const { return pages_.at(tab); }
    SettingsTabButton* button(SettingsTab tab) const { return buttons_.at(tab); }
    QScrollArea* scrollArea() const { return scroll_; }

    static constexpr int maxPageWidth = 820;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyPalette();

    SettingsTab tab_ = SettingsTab::general;
    std::map<SettingsTab, QWidget*> pages_;
    std::map<SettingsTab, SettingsTabButton*> buttons_;
    QWidget* bar_ = nullptr;
    QWidget* hairline_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

}  // namespace Kestrow
