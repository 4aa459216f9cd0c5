#include "Kestrow/Shell/Appearance.hpp"

#include <QCoreApplication>

namespace Kestrow::AppearanceText {

QString rawValue(Appearance a) {
    switch (a) {
    case Appearance::light: return QStringLiteral("light");
    case Appearance::dark: return QStringLiteral("dark");
    case Appearance::system: break;
    }
    return QStringLiteral("system");
}

std::optional<Appearance> fromRawValue(const QString& raw) {
    for (Appearance a : {Appearance::system, Appearance::light, Appearance::dark})
        if (raw == rawValue(a)) return a;
    return std::nullopt;
}

QString label(Appearance a) {
    switch (a) {
    case Appearance::light: return QCoreApplication::translate("Appearance", "Light");
    case Appearance::dark: return QCoreApplication::translate("Appearance", "Dark");
    case Appearance::system: break;
    }
    return QCoreApplication::translate("Appearance", "Match System");
}

}  // namespace Kestrow::AppearanceText
