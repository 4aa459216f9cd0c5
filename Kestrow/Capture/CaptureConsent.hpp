#pragma once

#include <QString>

namespace Kestrow {

class Defaults;

// Whether this copy of the application (identified by its path) completed a capture, or asked
// for access and has not captured since.
namespace CaptureConsent {
inline constexpr const char* consentKey = "captureConsentPath";
inline constexpr const char* pendingKey = "captureConsentPendingPath";
inline constexpr const char* requestedKey = "screenAccessRequestedPath";

bool isDone(const Defaults& defaults, const QString& path);
bool isPending(const Defaults& defaults, const QString& path);
// After a successful capture: records it and clears the pending mark.
void recordCapture(Defaults& defaults, const QString& path);
// The path that names this copy: $APPIMAGE when set (its own path changes every run), else the
// executable's path.
QString appPath();
}  // namespace CaptureConsent

}  // namespace Kestrow
