#pragma once

#include <QWidget>

class QLabel;

namespace Kestrow {

class AppSettings;
class ShortcutRecorder;

// The two global shortcuts with their recorders, and a warning under each one the desktop
// would not register. Only one recorder records at a time.
class ShortcutsPage final : public QWidget {
    Q_OBJECT
public:
    explicit ShortcutsPage(AppSettings& settings, QWidget* parent = nullptr);

    ShortcutRecorder* captureRecorder() const { return capture_; }
    ShortcutRecorder* quickRecorder() const { return quick_; }
    QLabel* captureWarning() const { return captureWarning_; }
    QLabel* quickWarning() const { return quickWarning_; }

    // The warning for a shortcut that did not register. On plain X11 a refused grab means
    // another client holds the keys; elsewhere the desktop may allow no global shortcuts.
    static QString conflictText(bool plainX11);
    static bool runsOnPlainX11();

private:
    void refresh();

    AppSettings& settings_;
    ShortcutRecorder* capture_ = nullptr;
    ShortcutRecorder* quick_ = nullptr;
    QLabel* captureWarning_ = nullptr;
    QLabel* quickWarning_ = nullptr;
};

}  // namespace Kestrow
