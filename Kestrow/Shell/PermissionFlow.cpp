#include "Kestrow/Shell/PermissionFlow.hpp"

#include <QCoreApplication>
#include <QGuiApplication>

namespace Kestrow {

QString gateName(CaptureGate gate)
{
    switch (gate) {
    case CaptureGate::capture: return QStringLiteral("capture");
    case CaptureGate::testThenCapture: return QStringLiteral("testThenCapture");
    case CaptureGate::explainThenRequest: return QStringLiteral("explainThenRequest");
    case CaptureGate::onboarding: return QStringLiteral("onboarding");
    }
    return {};
}

CaptureGate decideGate(bool preflight, bool onboardingDone, bool consentTestNeeded)
{
    if (!preflight)
        return onboardingDone ? CaptureGate::explainThenRequest : CaptureGate::onboarding;
    return consentTestNeeded ? CaptureGate::testThenCapture : CaptureGate::capture;
}

namespace ScreenAccess {

bool preflight()
{
    return QGuiApplication::platformName() != QStringLiteral("wayland");
}

}  // namespace ScreenAccess

namespace PermissionFlow {

void requestScreenAccess(AlertPresenter& alerts)
{
    alerts.run({QCoreApplication::translate("PermissionFlow", waylandMessage),
                QCoreApplication::translate("PermissionFlow", waylandInformative),
                {QCoreApplication::translate("PermissionFlow", "OK")}});
}

void runTestCapture(bool, const std::function<void(bool)>& completion)
{
    if (completion)
        completion(true);
}

}  // namespace PermissionFlow

}  // namespace Kestrow
