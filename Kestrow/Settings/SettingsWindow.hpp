#pragma once

#include "Kestrow/Settings/SettingsContext.hpp"
#include "Kestrow/Settings/SettingsTab.hpp"

#include <QWidget>

#include <optional>

namespace Kestrow {

class Defaults;
class SettingsView;

// The one "Settings" window, kept when closed so it reopens on the tab it showed. Its frame
// is kept between runs and restored only when it still fits wholly on an available screen.
class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    SettingsWindow(SettingsContext context, Defaults& frames, QWidget* parent = nullptr);

    SettingsView& view() { return *view_; }
    // Shows the window in front; with a tab, on that tab (an open window switches at once).
    void present(std::optional<SettingsTab> tab = std::nullopt);

private:
    SettingsView* view_ = nullptr;
    Defaults& frames_;
    bool placed_ = false;
};

}  // namespace Kestrow
