#include "Kestrow/Help/SampleTable.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Kestrow::SampleTable {

std::optional<QString> folder()
{
    const QString candidates[] = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vantrel/Samples"),
        QStringLiteral(VANTREL_SOURCE_DIR "/Resources/Samples"),
    };
    for (const QString& dir : candidates)
        if (QFileInfo(dir + QStringLiteral("/sample-table-light.png")).isFile())
            return QDir::cleanPath(dir);
    return std::nullopt;
}

std::optional<QString> imagePath(bool dark)
{
    return imagePath(dark, folder());
}

std::optional<QString> imagePath(bool dark, const std::optional<QString>& dir)
{
    if (!dir)
        return std::nullopt;
    return *dir + (dark ? QStringLiteral("/sample-table-dark.png") : QStringLiteral("/sample-table-light.png"));
}

QString hint(const QStringList& shortcutKeys)
{
    if (shortcutKeys.isEmpty())
        return QCoreApplication::translate("SampleTable", "Click Capture This Table, then drag over the table below.");
    // Linux key names read better joined by "+" than run together like symbols.
    return QCoreApplication::translate("SampleTable", "Press %1 and drag over this table.")
        .arg(shortcutKeys.join(QLatin1Char('+')));
}

}  // namespace Kestrow::SampleTable
