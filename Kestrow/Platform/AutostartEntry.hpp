#pragma once

#include <QString>
#include <QStringList>

// The XDG autostart entry that starts Vantrel at login, and the quoting its Exec line needs.
namespace Kestrow::AutostartEntry {
// The file name under <config>/autostart/.
inline constexpr char fileName[] = "vantrel.desktop";
// One argument of an Exec line: quoted when it holds a reserved character, with ", `, $ and
// \ escaped inside the quotes, and % doubled; then escaped once more as a desktop-file string
// (\ as \\, line breaks and tabs as \n, \r, \t), as the desktop entry rules require.
QString execArgument(const QString& argument);
// The whole entry for starting `program` with `arguments`.
QString text(const QString& program, const QStringList& arguments = {});
// Whether an entry's text leaves the program enabled at login (not Hidden, not switched off).
bool isEnabledText(const QString& entryText);
}  // namespace Kestrow::AutostartEntry
