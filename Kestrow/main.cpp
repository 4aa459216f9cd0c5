#include "Kestrow/Capture/CaptureOverlay.hpp"
#include "Kestrow/Capture/QtScreenSource.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/Platform/ClipboardWriter.hpp"
#include "Kestrow/Platform/Hotkeys.hpp"
#include "Kestrow/Platform/X11WindowStacking.hpp"
#include "Kestrow/Shell/AlertPresenter.hpp"
#include "Kestrow/Shell/AppDelegate.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/AppTranslator.hpp"
#include "Kestrow/Shell/EngineService.hpp"
#include "Kestrow/Shell/Log.hpp"
#include "Kestrow/Shell/NoTrayHint.hpp"
#include "Kestrow/Shell/SingleInstance.hpp"
#include "Kestrow/Shell/Toast.hpp"

#include <QApplication>
#include <QTranslator>

#include <X11/Xlib.h>

#include "Kestrow/History/QuitOnTerminate.hpp"

#include <cstdlib>

namespace {

// Qt aborts when it cannot reach its display; find out first and say so.
bool displayReachable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        Kestrow::Log::line(QStringLiteral("no display to show on (DISPLAY is not set)"));
        return false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        Kestrow::Log::line(QStringLiteral("cannot open the display ") + qEnvironmentVariable("DISPLAY"));
        return false;
    }
    XCloseDisplay(display);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    // Hot keys and screen capture need X11: on a Wayland desktop run through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (!displayReachable())
        return 1;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vantrel"));
    // A tray application: closing the last window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // A session ending sends SIGTERM: quit normally so pending history writes are flushed.
    Kestrow::QuitOnTerminate::install();

    Kestrow::SingleInstance instance(Kestrow::SingleInstance::standardName());
    if (instance.askRunningToReopen()) {
        Kestrow::Log::line(QStringLiteral("already running; asked it to reopen"));
        return 0;
    }
    if (!instance.listen())
        Kestrow::Log::line(QStringLiteral("cannot listen for later launches"));

    Kestrow::AppSettings& settings = Kestrow::AppSettings::shared();
    // The chosen language applies from start to quit; a change needs a restart.
    QTranslator translator;
    Kestrow::AppTranslator::install(translator, settings.languageAtLaunch());
    std::unique_ptr<Kestrow::Hotkeys> hotkeys = Kestrow::Hotkeys::forPlatform();
    Kestrow::QtScreenSource screens;
    Kestrow::CaptureOverlay overlay(screens);
    Kestrow::SystemClipboardWriter clipboard;
    Kestrow::MessageBoxAlertPresenter alerts;
    Kestrow::X11WindowStacking stacking;
    Kestrow::AppDelegate delegate({settings, *hotkeys, overlay, clipboard, alerts, Kestrow::EngineService::shared(),
                                   &Kestrow::HistoryStore::shared(), &stacking});
    overlay.prepare = [&delegate] {
        Kestrow::Toast::dismiss();
        if (delegate.hint())
            delegate.hint()->hide();
    };
    QObject::connect(&instance, &Kestrow::SingleInstance::reopenRequested, &delegate, &Kestrow::AppDelegate::reopen);
    delegate.launch();
    return QApplication::exec();
}
