#include "Kestrow/Shell/AppIconChoice.hpp"

#include <QCoreApplication>

namespace Kestrow::AppIconChoiceText {

QString rawValue(AppIconChoice c) {
    switch (c) {
    case AppIconChoice::light: return QStringLiteral("light");
    case AppIconChoice::sparkle: return QStringLiteral("sparkle");
    case AppIconChoice::dark: break;
    }
    return QStringLiteral("dark");
}

std::optional<AppIconChoice> fromRawValue(const QString& raw) {
    for (AppIconChoice c : {AppIconChoice::dark, AppIconChoice::light, AppIconChoice::sparkle})
        if (raw == rawValue(c)) return c;
    return std::nullopt;
}

QString label(AppIconChoice c) {
    switch (c) {
    case AppIconChoice::light: return QCoreApplication::translate("AppIconChoice", "Light");
    case AppIconChoice::sparkle: return QCoreApplication::translate("AppIconChoice", "Sparkle");
    case AppIconChoice::dark: break;
    }
    return QCoreApplication::translate("AppIconChoice", "Dark (default)");
}

}  // namespace Kestrow::AppIconChoiceText
