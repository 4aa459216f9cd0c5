#pragma once

#include <QString>

namespace Kestrow {

class Defaults;

// The interface language; "system" follows the desktop's languages.
enum class AppLanguage { system, vietnamese, english };

namespace AppLanguageText {
QString rawValue(AppLanguage l);  // "system", "vi", "en"
// Reads the application's own "languages" list: a first entry starting with "vi" is
// Vietnamese, with "en" English, anything else (or nothing readable) the system's choice.
AppLanguage current(const Defaults& defaults);
// system removes the key; the others store a one-element list. Takes effect at the next start.
void apply(AppLanguage l, Defaults& defaults);
}  // namespace AppLanguageText

}  // namespace Kestrow
