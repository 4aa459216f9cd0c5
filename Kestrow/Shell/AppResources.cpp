#include "Kestrow/Shell/AppResources.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>

namespace Kestrow::AppResources {

namespace {

std::optional<QString> existingDir(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir()) return std::nullopt;
    return QDir::cleanPath(path);
}

QString iconBase(AppIconChoice choice) {
    switch (choice) {
    case AppIconChoice::light: return QStringLiteral("appicon-main-light");
    case AppIconChoice::sparkle: return QStringLiteral("appicon-alt-sparkle-dark");
    case AppIconChoice::dark: break;
    }
    return QStringLiteral("appicon-main-dark");
}

}  // namespace

std::optional<QString> installedRoot() {
    if (const QByteArray env = qgetenv("VANTREL_RESOURCES"); !env.isEmpty())
        return existingDir(QString::fromLocal8Bit(env));
    if (!QCoreApplication::instance()) return std::nullopt;
    return existingDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vantrel"));
}

std::optional<QString> checkoutRoot() {
    // Only programs run from their build tree fall back to the checkout: an installed copy
    // must find everything it needs in its own prefix.
    if (!QCoreApplication::instance()) return std::nullopt;
    const QString build = QDir::cleanPath(QStringLiteral(VANTREL_BINARY_DIR)) + u'/';
    if (!QDir::cleanPath(QCoreApplication::applicationDirPath()).append(u'/').startsWith(build)) return std::nullopt;
    const QString root = QStringLiteral(VANTREL_SOURCE_DIR);
    if (!QFileInfo(root + QStringLiteral("/VozudOzev")).isDir()) return std::nullopt;
    return existingDir(root + QStringLiteral("/Resources"));
}

std::optional<QString> dir(const QString& name) {
    for (const auto& root : {installedRoot(), checkoutRoot()})
        if (root)
            if (auto d = existingDir(*root + u'/' + name)) return d;
    return std::nullopt;
}

int registerFonts() {
    const auto fonts = dir(QStringLiteral("Fonts"));
    if (!fonts) return 0;
    int registered = 0;
    for (const QFileInfo& file : QDir(*fonts).entryInfoList(QDir::Files)) {
        const QString suffix = file.suffix();
        if (suffix != u"ttf" && suffix != u"otf") continue;
        if (QFontDatabase::addApplicationFont(file.absoluteFilePath()) >= 0) ++registered;
    }
    return registered;
}

QIcon trayGlyph(AppIconChoice choice, bool darkPanel) {
    const QString base = choice == AppIconChoice::sparkle ? QStringLiteral("mark-alt-sparkle") : QStringLiteral("mark-main");
    // Linux trays do not tint: a light glyph on dark panels, a dark one on light panels.
    const QString file = base + (darkPanel ? QStringLiteral("-light.svg") : QStringLiteral("-dark.svg"));
    if (auto icons = dir(QStringLiteral("Icons"))) {
        const QString path = *icons + u'/' + file;
        if (QFile::exists(path)) {
            QIcon icon(path);
            if (!icon.pixmap(18, 18).isNull()) return icon;
        }
    }
    return QIcon(QStringLiteral(":/vantrel/Symbols/tablecells") + (darkPanel ? QStringLiteral("-light.svg") : QStringLiteral(".svg")));
}

QIcon appIcon(AppIconChoice choice) {
    const auto icons = dir(QStringLiteral("Icons"));
    if (!icons) return {};
    const QString path = *icons + u'/' + iconBase(choice) + QStringLiteral(".svg");
    if (!QFile::exists(path)) return {};
    QIcon icon(path);
    return icon.pixmap(64, 64).isNull() ? QIcon() : icon;
}

QIcon symbol(const QString& name) {
    return QIcon(QStringLiteral(":/vantrel/Symbols/") + name + QStringLiteral(".svg"));
}

QIcon symbol(const QString& name, const QColor& tint) {
    const QIcon plain = symbol(name);
    QIcon tinted;
    for (int size : {16, 32, 48}) {
        QPixmap pm = plain.pixmap(size, size);
        if (pm.isNull()) return plain;
        QPainter p(&pm);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(pm.rect(), tint);
        p.end();
        tinted.addPixmap(pm);
    }
    return tinted;
}

}  // namespace Kestrow::AppResources
