#pragma once

#include "Kestrow/Shell/Appearance.hpp"
#include "Kestrow/Shell/Palette.hpp"

#include <QObject>

namespace Kestrow {

// The palette now in force. The user's appearance picks light or dark; `system` follows the
// desktop (the application palette's window colour tells). Widgets read `palette()` when they
// paint and repaint on `changed`.
//
//     const Palette& p = Theme::shared().palette();
//     connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
class Theme : public QObject {
    Q_OBJECT
public:
    static Theme& shared();

    Appearance appearance() const { return appearance_; }
    void setAppearance(Appearance a);
    bool isDark() const;
    const Palette& palette() const { return isDark() ? Palette::dark() : Palette::light(); }

    // Whether the desktop prefers dark (the application palette's window is darker than mid-grey).
    static bool systemPrefersDark();

signals:
    void changed();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    Theme();
    Appearance appearance_ = Appearance::system;
};

}  // namespace Kestrow
