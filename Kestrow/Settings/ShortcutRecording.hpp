#pragma once

#include "Kestrow/Shell/Shortcut.hpp"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;

namespace Kestrow {

// Listens to the application's key presses while a new shortcut is being recorded. While
// recording, every key press (and the shortcut check before it) is taken here, so Ctrl+W or
// Ctrl+Q is recorded rather than closing the window or quitting. Esc (with any modifiers)
// cancels; a key without Ctrl, Alt or Super, and a modifier alone, keep recording. Recording
// also ends when the window closes, hides or loses focus, or the application goes inactive.
class ShortcutRecording final : public QObject {
    Q_OBJECT
public:
    explicit ShortcutRecording(QObject* parent = nullptr);
    ~ShortcutRecording() override;

    bool isRecording() const { return recording_; }
    // Starts over: any earlier recording of this object ends first. window: may be null.
    void start(QWidget* window, std::function<void(const Shortcut&)> onShortcut);
    // Ends recording; nothing happens when idle.
    void stop();
    // One key press while recording; true when it was used (it then reaches nothing else).
    bool handle(const QKeyEvent& event);

signals:
    void recordingChanged(bool recording);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool recording_ = false;
    QPointer<QWidget> window_;
    std::function<void(const Shortcut&)> onShortcut_;
    QMetaObject::Connection stateConnection_;
};

}  // namespace Kestrow
