#pragma once

#include "Kestrow/Shell/AlertPresenter.hpp"

#include <QString>

#include <functional>

namespace Kestrow {

// What happens before a capture may start. On X11 any client may read the screen, so the
// road normally starts at once; only a native Wayland session cannot capture at all.
enum class CaptureGate { capture, testThenCapture, explainThenRequest, onboarding };

QString gateName(CaptureGate gate);
CaptureGate decideGate(bool preflight, bool onboardingDone, bool consentTestNeeded);

namespace ScreenAccess {
// True on X11 (and XWayland); false when Qt runs natively on Wayland.
bool preflight();
}  // namespace ScreenAccess

// The permission road as it stands on Linux: no test capture is needed (it reports
// success at once), and asking for access means explaining how to get an X11 session.
namespace PermissionFlow {
inline constexpr const char* waylandMessage = "Vantrel can't capture this screen";
inline constexpr const char* waylandInformative =
    "Vantrel reads the screen through X11. This session runs it directly on Wayland, where "
    "applications can't read the screen. Start Vantrel without QT_QPA_PLATFORM=wayland so it "
    "runs through XWayland, or log in to an X11 session.";

void requestScreenAccess(AlertPresenter& alerts);
void runTestCapture(bool announce, const std::function<void(bool)>& completion);
}  // namespace PermissionFlow

}  // namespace Kestrow
