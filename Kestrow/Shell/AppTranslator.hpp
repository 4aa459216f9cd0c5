#pragma once

#include "Kestrow/Shell/AppLanguage.hpp"

#include <QString>
#include <QStringList>

class QTranslator;

// The interface language at start: the user's choice, or for "system" the first of the
// desktop's languages that Vantrel speaks. English is the source text, so it needs no catalogue.
namespace Kestrow::AppTranslator {
// "vi" or "en".
QString languageFor(AppLanguage choice, const QStringList& uiLanguages);
// Loads the compiled catalogue for the language into `translator` and installs it; false for
// English or when the catalogue cannot be loaded (the interface then stays English).
bool install(QTranslator& translator, AppLanguage choice);
}  // namespace Kestrow::AppTranslator
