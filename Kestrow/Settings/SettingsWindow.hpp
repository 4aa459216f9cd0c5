#pragma once

#include "Kestrow/Settings/SettingsContext.hpp"
#include "Kestrow/Settings/SettingsTab.hpp"

#include <QList>
#include <QRect>
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

    static constexpr QSize contentSize{620, 580};
    // A saved frame when it is at least the minimum size and lies wholly inside one of the
    // screens' available areas; otherwise nothing (the window is then centred at 620 × 580).
    static std::optional<QRect> restoredFrame(std::optional<QRect> saved, const QList<QRect>& available);
    // "x,y,w,h" and back; anything else reads as nothing.
    static QString frameText(const QRect& r);
    static std::optional<QRect> parseFrame(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void saveFrame();

    SettingsView* view_ = nullptr;
    Defaults& frames_;
    bool placed_ = false;
};

}  // namespace Kestrow
