#include "Kestrow/Shell/Theme.hpp"

#include <QApplication>
#include <QEvent>
#include <QPalette>

namespace Kestrow {

Theme::Theme() {
    if (!qApp) return;
    desktop_ = QGuiApplication::palette();
    // A desktop that switches its palette while we run repaints our windows too.
    qApp->installEventFilter(this);
    scheme_ = new DesktopColorScheme(this);
    connect(scheme_, &DesktopColorScheme::changed, this, [this] {
        if (appearance_ == Appearance::system)
            emit changed();
    });
}

Theme& Theme::shared() {
    static Theme* instance = new Theme();
    return *instance;
}

void Theme::setAppearance(Appearance a) {
    appearance_ = a;
    if (qApp) {
        applying_ = true;
        QApplication::setPalette(a == Appearance::system ? desktop_ : widgetPalette(palette()));
        applying_ = false;
    }
    // Always tell: views may depend on the choice itself, not only on the colours.
    emit changed();
}

QPalette Theme::widgetPalette(const Palette& p) {
    QPalette w;
    w.setColor(QPalette::Window, p.window);
    w.setColor(QPalette::WindowText, p.ink);
    w.setColor(QPalette::Base, p.bg);
    w.setColor(QPalette::AlternateBase, p.bar);
    w.setColor(QPalette::Text, p.ink);
    w.setColor(QPalette::Button, p.card);
    w.setColor(QPalette::ButtonText, p.ink);
    w.setColor(QPalette::ToolTipBase, p.card);
    w.setColor(QPalette::ToolTipText, p.ink);
    w.setColor(QPalette::PlaceholderText, p.muted);
    w.setColor(QPalette::Highlight, p.accent);
    w.setColor(QPalette::HighlightedText, Qt::white);
    w.setColor(QPalette::Link, p.accent);
    w.setColor(QPalette::Mid, p.hairline);
    w.setColor(QPalette::Disabled, QPalette::Text, p.muted);
    w.setColor(QPalette::Disabled, QPalette::WindowText, p.muted);
    w.setColor(QPalette::Disabled, QPalette::ButtonText, p.muted);
    // No etched shadow under disabled text: on a dark menu it doubles the letters.
    w.setColor(QPalette::Disabled, QPalette::Light, Qt::transparent);
    return w;
}

bool Theme::isDark() const {
    switch (appearance_) {
    case Appearance::light: return false;
    case Appearance::dark: return true;
    case Appearance::system: break;
    }
    return systemPrefersDark();
}

bool Theme::systemPrefersDark() const {
    if (scheme_)
        if (const std::optional<bool> dark = scheme_->prefersDark()) return *dark;
    return desktop_.color(QPalette::Window).lightnessF() < 0.5;
}

bool Theme::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange && !applying_ &&
        appearance_ == Appearance::system) {
        desktop_ = QGuiApplication::palette();
        emit changed();
    }
    return false;
}

}  // namespace Kestrow
