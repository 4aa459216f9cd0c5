#pragma once

#include "Kestrow/Settings/ShortcutRecording.hpp"
#include "Kestrow/Shell/Shortcut.hpp"

#include <QAbstractButton>

#include <functional>

class QLabel;

namespace Kestrow {

class Keycaps;

// A shortcut shown as key caps; a click records a new one ("Press keys…" meanwhile), a
// second click cancels. The control stops recording when it leaves the screen.
class ShortcutRecorder final : public QAbstractButton {
    Q_OBJECT
public:
    explicit ShortcutRecorder(Shortcut shortcut, QWidget* parent = nullptr);

    void setShortcut(const Shortcut& shortcut);
    const Shortcut& shortcut() const { return shortcut_; }
    ShortcutRecording& recording() { return recording_; }
    QString shownText() const;  // what the control shows now, for tests and screen readers

    // Where a recorded shortcut goes (the setting it is bound to).
    std::function<void(const Shortcut&)> onShortcut;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void toggle();
    void showState();

    Shortcut shortcut_;
    ShortcutRecording recording_;
    Keycaps* caps_ = nullptr;
    QLabel* prompt_ = nullptr;
};

}  // namespace Kestrow
