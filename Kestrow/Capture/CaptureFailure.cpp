#include "Kestrow/Capture/CaptureFailure.hpp"

#include <QCoreApplication>

namespace Kestrow {

QString CaptureFailure::title() const {
    if (kind == Kind::other) return QCoreApplication::translate("CaptureFailure", "Capture failed");
    return QCoreApplication::translate("CaptureFailure", "Vantrel couldn't see the screen");
}

QString CaptureFailure::message() const {
    switch (kind) {
    case Kind::permission:
        return QCoreApplication::translate(
            "CaptureFailure",
            "The desktop didn't allow this capture. Vantrel reads the screen through X11: on a Wayland "
            "desktop, log in to an X11 session or capture windows of X11 applications, then capture again.");
    case Kind::blank:
        return QCoreApplication::translate(
            "CaptureFailure",
            "The capture came back empty, which is what a Wayland desktop returns for windows Vantrel isn't "
            "allowed to see. Log in to an X11 session, or capture windows of X11 applications, then capture again.");
    case Kind::other: break;
    }
    return text;
}

CaptureFailure CaptureFailure::classify(const std::exception& error) {
    if (const auto* failure = dynamic_cast<const CaptureFailure*>(&error)) return *failure;
    const QString description = QString::fromUtf8(error.what());
    if (description.contains(QStringLiteral("TCC"), Qt::CaseInsensitive)) return permission();
    return other(description);
}

}  // namespace Kestrow
