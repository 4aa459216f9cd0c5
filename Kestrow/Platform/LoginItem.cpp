#include "Kestrow/Platform/LoginItem.hpp"

#include "Kestrow/Platform/AutostartEntry.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace Kestrow {

XdgLoginItem::XdgLoginItem(QString configFolder, QString program)
    : configFolder_(std::move(configFolder)), program_(std::move(program)) {
    if (configFolder_.isEmpty())
        configFolder_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (program_.isEmpty()) program_ = QCoreApplication::applicationFilePath();
}

QString XdgLoginItem::entryPath() const {
    return configFolder_ + QStringLiteral("/autostart/") + QLatin1String(AutostartEntry::fileName);
}

bool XdgLoginItem::isEnabled() const {
    QFile f(entryPath());
    // A desktop entry is small; anything huge is not ours.
    if (!f.open(QIODevice::ReadOnly) || f.size() > 64 * 1024) return false;
    return AutostartEntry::isEnabledText(QString::fromUtf8(f.readAll()));
}

std::optional<QString> XdgLoginItem::enable() {
    const QString folder = configFolder_ + QStringLiteral("/autostart");
    if (!QDir().mkpath(folder))
        return QCoreApplication::translate("LoginItem", "Could not create the folder %1.").arg(folder);
    QSaveFile f(entryPath());
    if (!f.open(QIODevice::WriteOnly)) return f.errorString();
    f.write(AutostartEntry::text(program_).toUtf8());
    if (!f.commit()) return f.errorString();
    return std::nullopt;
}

std::optional<QString> XdgLoginItem::disable() {
    QFile f(entryPath());
    if (!f.exists() || f.remove()) return std::nullopt;
    return f.errorString();
}

}  // namespace Kestrow
