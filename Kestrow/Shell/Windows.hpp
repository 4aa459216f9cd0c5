#pragma once

#include "Kestrow/Shell/WindowShortcuts.hpp"
#include "Kestrow/Shell/WindowSpec.hpp"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

namespace Kestrow {

// Opens every window of the application by one recipe: sized, titled, centred, reused,
// replaced or made anew as its kind requires, and given the window keys (frames kept
// between runs are WindowFrames' work). Windows are top-level widgets kept when closed; a window of a
// kind made anew each time is deleted once closed.
class Windows : public QObject {
    Q_OBJECT
public:
    using Make = std::function<QWidget*()>;

    // commands: the keys' application-wide actions (open image, quit).
    explicit Windows(WindowCommands commands, QObject* parent = nullptr);

    // Shows the window of the kind, making it with make when there is none (settings,
    // history, about, sample, onboarding), or closing the open one first (help).
    QWidget* show(WindowKind kind, const Make& make);
    // A new window every time (result, feedback, column mapping); title: already translated.
    QWidget* open(WindowKind kind, QWidget* content, const QString& title);
    // The single window of the kind, if made.
    QWidget* single(WindowKind kind) const;
    // Closes and forgets the single window of the kind, so the next show makes a new one.
    void forget(WindowKind kind);
    // Open windows made anew each time, in opening order.
    std::vector<QWidget*> openWindows() const;

signals:
    void windowsChanged();

private:
    void prepare(QWidget* window, const WindowSpec& spec, const QString& title);
    void present(QWidget* window);
    bool eventFilter(QObject* watched, QEvent* event) override;

    WindowCommands commands_;
    std::map<WindowKind, QPointer<QWidget>> singles_;
    std::vector<QPointer<QWidget>> transients_;
};

}  // namespace Kestrow
