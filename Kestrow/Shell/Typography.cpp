#include "Kestrow/Shell/Typography.hpp"

#include <QFontDatabase>

namespace Kestrow::Typography {

namespace {
const QString inter = QStringLiteral("Inter");

// Sizes are logical pixels, the unit of every other length in our layouts.
QFont sized(QFont f, double size, QFont::Weight weight) {
    f.setPixelSize(qMax(1, qRound(size)));
    f.setWeight(weight);
    return f;
}
}  // namespace

bool interAvailable() { return QFontDatabase::hasFamily(inter); }

QFont ui(double size, QFont::Weight weight) {
    if (interAvailable()) return sized(QFont(inter), size, weight);
    return sized(QFontDatabase::systemFont(QFontDatabase::GeneralFont), size, weight);
}

QFont keycap() { return ui(11, QFont::Medium); }

QFont wordmark(double size) {
    const QString display = QStringLiteral("Funnel Display");
    if (QFontDatabase::hasFamily(display)) return sized(QFont(display), size, QFont::DemiBold);
    return sized(QFontDatabase::systemFont(QFontDatabase::GeneralFont), size, QFont::DemiBold);
}

QFont grid(double size, QFont::Weight weight) {
    if (interAvailable()) {
        // Qt cannot ask for tabular digits, so only the two faces the grid needs are used.
        const bool bold = weight >= QFont::DemiBold;
        return sized(QFont(inter), size, bold ? QFont::Bold : QFont::Normal);
    }
    // DejaVu Sans draws every digit at one width without any feature switched on.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    return sized(f, size, weight);
}

}  // namespace Kestrow::Typography
