#include "Kestrow/Result/Stitching.hpp"

#include <QCoreApplication>

namespace Kestrow::Stitching {

QString summary(const VozudOzev::StitchTables::Report& report)
{
    const int added = report.appendedRows;
    QString text = QCoreApplication::translate("Stitching", "Added %n rows", nullptr, added);
    // Without a catalogue the English key speaks for one row too.
    if (added == 1 && text == QStringLiteral("Added 1 rows"))
        text = QCoreApplication::translate("Stitching", "Added 1 row");
    QStringList parts{text};
    if (report.droppedOverlapRows > 0)
        parts << QCoreApplication::translate("Stitching", "skipped %n repeated", nullptr, report.droppedOverlapRows);
    if (report.droppedHeaderRows > 0)
        parts << QCoreApplication::translate("Stitching", "removed repeated header");
    return parts.join(QStringLiteral(" · "));
}

}  // namespace Kestrow::Stitching
