#include "Kestrow/Capture/CaptureConsent.hpp"

#include "Kestrow/Shell/Defaults.hpp"

#include <QCoreApplication>

namespace Kestrow::CaptureConsent {

bool isDone(const Defaults& defaults, const QString& path) {
    return defaults.string(QLatin1String(consentKey)) == path;
}

bool isPending(const Defaults& defaults, const QString& path) {
    return defaults.string(QLatin1String(pendingKey)) == path;
}

void recordCapture(Defaults& defaults, const QString& path) {
    defaults.setString(QLatin1String(consentKey), path);
    defaults.remove(QLatin1String(pendingKey));
}

QString appPath() {
    if (const QByteArray image = qgetenv("APPIMAGE"); !image.isEmpty()) return QString::fromLocal8Bit(image);
    return QCoreApplication::applicationFilePath();
}

}  // namespace Kestrow::CaptureConsent
