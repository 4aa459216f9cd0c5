#include "Kestrow/Settings/ShortcutRecording.hpp"

#include <QApplication>
#include <QKeyEvent>

namespace Kestrow {

namespace {

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    default:
        return false;
    }
}

}  // namespace

ShortcutRecording::ShortcutRecording(QObject* parent) : QObject(parent) {}

ShortcutRecording::~ShortcutRecording() { stop(); }

void ShortcutRecording::start(QWidget* window, std::function<void(const Shortcut&)> onShortcut)
{
    stop();
    onShortcut_ = std::move(onShortcut);
    window_ = window;
    recording_ = true;
    qApp->installEventFilter(this);
    stateConnection_ = connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive)
            stop();
    });
    emit recordingChanged(true);
}

void ShortcutRecording::stop()
{
    if (!recording_)
        return;
    recording_ = false;
    if (qApp)
        qApp->removeEventFilter(this);
    disconnect(stateConnection_);
    window_ = nullptr;
    onShortcut_ = nullptr;
    emit recordingChanged(false);
}

bool ShortcutRecording::handle(const QKeyEvent& event)
{
    if (!recording_)
        return false;
    if (event.key() == Qt::Key_Escape) {
        stop();
        return true;
    }
    if (isModifierKey(event.key()) || event.isAutoRepeat())
        return true;
    const std::optional<Shortcut> shortcut = Shortcut::fromKeyEvent(event);
    // A press without a key code (a synthetic event) cannot be grabbed later.
    if (!shortcut || shortcut->keyCode == 0)
        return true;
    const auto done = std::move(onShortcut_);
    if (done)
        done(*shortcut);
    stop();
    return true;
}

bool ShortcutRecording::eventFilter(QObject* watched, QEvent* event)
{
    if (!recording_)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claimed here, so no window shortcut or menu key acts on it.
        event->accept();
        return true;
    case QEvent::KeyPress:
        return handle(*static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return true;
    case QEvent::WindowDeactivate:
    case QEvent::Close:
    case QEvent::Hide:
        if (window_ && watched == window_.data())
            stop();
        return false;
    default:
        return false;
    }
}

}  // namespace Kestrow
