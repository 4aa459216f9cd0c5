#include "Kestrow/Shell/WindowShortcuts.hpp"

#include <QCoreApplication>
#include <QShortcut>
#include <QWidget>

namespace Kestrow::WindowShortcuts {

namespace {

// The owner lives in a property-free child, so it goes with the window.
class Owner : public QObject {
public:
    explicit Owner(QWidget* window) : QObject(window) { setObjectName(QStringLiteral("windowCommands")); }
    WindowCommands commands;
};

Owner* ownerOf(QWidget* window)
{
    return window->findChild<Owner*>(QStringLiteral("windowCommands"), Qt::FindDirectChildrenOnly);
}

void add(QWidget* window, const QKeySequence& keys, const char* name, std::function<void()> action)
{
    auto* shortcut = new QShortcut(keys, window);
    shortcut->setObjectName(QString::fromLatin1(name));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, std::move(action));
}

}  // namespace

void install(QWidget* window, WindowCommands commands)
{
    auto* owner = ownerOf(window);
    if (owner) {
        // A window that already owns its undo (a result window) keeps it.
        if (!commands.undo)
            commands.undo = std::move(owner->commands.undo);
        if (!commands.redo)
            commands.redo = std::move(owner->commands.redo);
        owner->commands = std::move(commands);
        return;
    }
    owner = new Owner(window);
    owner->commands = std::move(commands);
    add(window, QKeySequence(Qt::CTRL | Qt::Key_W), "closeShortcut", [window] { window->close(); });
    add(window, QKeySequence(Qt::CTRL | Qt::Key_M), "minimiseShortcut", [window] { window->showMinimized(); });
    add(window, QKeySequence(Qt::CTRL | Qt::Key_O), "openImageShortcut", [owner] {
        if (owner->commands.openImage)
            owner->commands.openImage();
    });
    add(window, QKeySequence(Qt::CTRL | Qt::Key_Q), "quitShortcut", [owner] {
        if (owner->commands.quit)
            owner->commands.quit();
        else
            QCoreApplication::quit();
    });
    add(window, QKeySequence(Qt::CTRL | Qt::Key_Z), "undoShortcut", [owner] {
        if (owner->commands.undo)
            owner->commands.undo();
    });
    add(window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "redoShortcut", [owner] {
        if (owner->commands.redo)
            owner->commands.redo();
    });
}

void setUndoOwner(QWidget* window, std::function<void()> undo, std::function<void()> redo)
{
    if (!ownerOf(window))
        install(window, {});
    auto* owner = ownerOf(window);
    owner->commands.undo = std::move(undo);
    owner->commands.redo = std::move(redo);
}

}  // namespace Kestrow::WindowShortcuts
