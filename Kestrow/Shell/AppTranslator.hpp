#pragma once

#include "Kestrow/Shell/AppLanguage.hpp"

#include <QString>
#include <QStringList>

class QTranslator;

// The interface language at start: the user's choice, or for "system" the first of the
// desktop's languages that Vantrel speaks. English is the source text; its small catalogue only
// gives counted texts ("%n cells to check") their singular.
namespace Kestrow::AppTranslator {
// "vi" or "en".
QString languageFor(AppLanguage choice, const QStringList& uiLanguages);
// Loads the compiled catalogue for the language into `translator` and installs it; false when
// the catalogue cannot be loaded (the interface then shows the English source texts).
bool install(QTranslator& translator, AppLanguage choice);
}  // namespace Kestrow::AppTranslator
