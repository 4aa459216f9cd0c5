#include "Kestrow/Shell/Windows.hpp"

#include "Kestrow/Shell/WindowFrames.hpp"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>

namespace Kestrow {

Windows::Windows(WindowCommands commands, QObject* parent) : QObject(parent), commands_(std::move(commands))
{
}

QWidget* Windows::show(WindowKind kind, const Make& make)
{
    const WindowSpec spec = WindowSpec::of(kind);
    QPointer<QWidget>& slot = singles_[kind];
    if (slot && spec.reuse == WindowSpec::Reuse::replaced) {
        slot->close();
        slot->deleteLater();
        slot = nullptr;
    }
    if (!slot) {
        QWidget* window = make();
        prepare(window, spec, QCoreApplication::translate("Windows", spec.title));
        slot = window;
    }
    present(slot);
    return slot;
}

QWidget* Windows::open(WindowKind kind, QWidget* content, const QString& title)
{
    const WindowSpec spec = WindowSpec::of(kind);
    prepare(content, spec, title.isEmpty() ? QCoreApplication::translate("Windows", spec.title) : title);
    transients_.emplace_back(content);
    present(content);
    emit windowsChanged();
    return content;
}

QWidget* Windows::single(WindowKind kind) const
{
    const auto found = singles_.find(kind);
    return found == singles_.end() ? nullptr : found->second.data();
}

void Windows::forget(WindowKind kind)
{
    const auto found = singles_.find(kind);
    if (found == singles_.end())
        return;
    if (QWidget* window = found->second) {
        window->close();
        window->deleteLater();
    }
    singles_.erase(found);
}

std::vector<QWidget*> Windows::openWindows() const
{
    std::vector<QWidget*> open;
    for (const auto& window : transients_)
        if (window)
            open.push_back(window);
    return open;
}

void Windows::prepare(QWidget* window, const WindowSpec& spec, const QString& title)
{
    window->setParent(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setWindowTitle(title);
    window->setWindowIcon(QGuiApplication::windowIcon());
    window->setMinimumSize(spec.minimum);
    if (spec.maximum)
        window->setMaximumSize(*spec.maximum);
    window->resize(spec.content);
    WindowFrames::centre(window);
    WindowShortcuts::install(window, commands_);
    window->installEventFilter(this);
}

void Windows::present(QWidget* window)
{
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

bool Windows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Close || !event->isAccepted())
        return QObject::eventFilter(watched, event);
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window)
        return false;
    const auto transient = std::find(transients_.begin(), transients_.end(), window);
    if (transient != transients_.end()) {
        transients_.erase(transient);
        // Deleted after its own close handling ran (a result window saves its edits first).
        window->deleteLater();
        emit windowsChanged();
    }
    return false;
}

}  // namespace Kestrow
