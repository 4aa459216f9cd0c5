#include "Kestrow/Shell/AppLanguage.hpp"

#include "Kestrow/Shell/Defaults.hpp"

namespace Kestrow::AppLanguageText {

namespace {
const QString languagesKey = QStringLiteral("languages");
}

QString rawValue(AppLanguage l) {
    switch (l) {
    case AppLanguage::vietnamese: return QStringLiteral("vi");
    case AppLanguage::english: return QStringLiteral("en");
    case AppLanguage::system: break;
    }
    return QStringLiteral("system");
}

AppLanguage current(const Defaults& defaults) {
    const std::optional<QStringList> list = defaults.stringList(languagesKey);
    if (!list || list->isEmpty()) return AppLanguage::system;
    const QString& first = list->front();
    if (first.startsWith(u"vi")) return AppLanguage::vietnamese;
    if (first.startsWith(u"en")) return AppLanguage::english;
    return AppLanguage::system;
}

void apply(AppLanguage l, Defaults& defaults) {
    if (l == AppLanguage::system)
        defaults.remove(languagesKey);
    else
        defaults.setStringList(languagesKey, {rawValue(l)});
}

}  // namespace Kestrow::AppLanguageText
