#include "Kestrow/Shell/AppTranslator.hpp"

#include "Kestrow/Shell/Log.hpp"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace Kestrow::AppTranslator {

QString languageFor(AppLanguage choice, const QStringList& uiLanguages)
{
    switch (choice) {
    case AppLanguage::vietnamese: return QStringLiteral("vi");
    case AppLanguage::english: return QStringLiteral("en");
    case AppLanguage::system: break;
    }
    for (const QString& language : uiLanguages) {
        const QString primary = language.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (primary == u"vi" || primary == u"en")
            return primary;
    }
    return QStringLiteral("en");
}

bool install(QTranslator& translator, AppLanguage choice)
{
    const QString language = languageFor(choice, QLocale::system().uiLanguages());
    if (!translator.load(QStringLiteral(":/vantrel/i18n/vantrel_") + language + QStringLiteral(".qm"))) {
        Log::line(QStringLiteral("no interface catalogue for ") + language);
        return false;
    }
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace Kestrow::AppTranslator
