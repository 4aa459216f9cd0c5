#pragma once

#include "Kestrow/Shell/Appearance.hpp"
#include "Kestrow/Platform/DesktopColorScheme.hpp"
#include "Kestrow/Shell/Palette.hpp"

#include <QObject>
#include <QPalette>

namespace Kestrow {

// The palette now in force. The user's appearance picks light or dark, and the standard widgets
// follow; `system` follows the desktop. Widgets read `palette()` when they paint and repaint on
// `changed`.
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

    // Whether the desktop prefers dark: its colour-scheme setting where it states one, else
    // whether its palette's window is darker than mid-grey.
    bool systemPrefersDark() const;
    // The standard widgets' colours for one of our palettes (menus, dialogs, fields).
    static QPalette widgetPalette(const Palette& p);

signals:
    void changed();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    Theme();
    Appearance appearance_ = Appearance::system;
    QPalette desktop_;  // the palette the desktop gave us, restored for `system`
    DesktopColorScheme* scheme_ = nullptr;
    bool applying_ = false;
};

}  // namespace Kestrow
