#include "Kestrow/Shell/Theme.hpp"

#include <QApplication>
#include <QEvent>
#include <QPalette>

namespace Kestrow {

Theme::Theme() {
    // A desktop that switches its palette while we run repaints our windows too.
    if (qApp) qApp->installEventFilter(this);
}

Theme& Theme::shared() {
    static Theme* instance = new Theme();
    return *instance;
}

void Theme::setAppearance(Appearance a) {
    const bool wasDark = isDark();
    appearance_ = a;
    // Always tell: views may also depend on the choice itself, not only on the colours.
    (void)wasDark;
    emit changed();
}

bool Theme::isDark() const {
    switch (appearance_) {
    case Appearance::light: return false;
    case Appearance::dark: return true;
    case Appearance::system: break;
    }
    return systemPrefersDark();
}

bool Theme::systemPrefersDark() {
    if (!qGuiApp) return false;
    return QGuiApplication::palette().color(QPalette::Window).lightnessF() < 0.5;
}

bool Theme::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange &&
        appearance_ == Appearance::system)
        emit changed();
    return false;
}

}  // namespace Kestrow
