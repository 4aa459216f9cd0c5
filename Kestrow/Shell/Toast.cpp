#include "Kestrow/Shell/Toast.hpp"

#include "Kestrow/Shell/HUDPill.hpp"

#include <QScreen>
#include <QTextBoundaryFinder>
#include <QTimer>

namespace Kestrow {

namespace {

QPointer<HUDPill>& currentToast() {
    static QPointer<HUDPill> toast;
    return toast;
}

HUDPill::Leading leadingFor(ToastKind kind) {
    switch (kind) {
    case ToastKind::success: return HUDPill::Leading::success;
    case ToastKind::warning: return HUDPill::Leading::warning;
    case ToastKind::plain: break;
    }
    return HUDPill::Leading::none;
}

int graphemes(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int n = 0;
    while (finder.toNextBoundary() > 0) ++n;
    return n;
}

}  // namespace

double Toast::displaySeconds(const QString& text) {
    return std::max(graphemes(text) / 18.0, 2.0);
}

void Toast::show(const QString& text, ToastKind kind, std::optional<double> seconds) {
    QScreen* screen = HUDPill::activeScreen();
    if (!screen) return;
    dismiss();
    auto* pill = new HUDPill(text, leadingFor(kind), /*clickThrough=*/true);
    pill->placeOn(screen->geometry(), screen->availableGeometry());
    pill->show();
    currentToast() = pill;
    pill->announce();
    const double duration = seconds.value_or(displaySeconds(text));
    QPointer<HUDPill> weak(pill);
    QTimer::singleShot(int(duration * 1000), pill, [weak] {
        if (!weak) return;
        // A later toast has its own timer; this one only takes away its own pill.
        if (currentToast() == weak) currentToast() = nullptr;
        weak->close();
    });
}

HUDPill* Toast::current() { return currentToast(); }

void Toast::dismiss() {
    if (HUDPill* old = currentToast()) {
        currentToast() = nullptr;
        old->close();
    }
}

}  // namespace Kestrow
