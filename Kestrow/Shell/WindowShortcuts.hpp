#pragma once

#include <functional>

class QShortcut;
class QWidget;

namespace Kestrow {

// The keys a menu bar would give every window: Close Ctrl+W, Minimise Ctrl+M, Open Image
// Ctrl+O, Quit Ctrl+Q, and Undo Ctrl+Z / Redo Ctrl+Shift+Z sent to the window's one owner.
// A text field that can undo takes its own Ctrl+Z first (Qt's shortcut override).
struct WindowCommands {
    std::function<void()> openImage;  // none: Ctrl+O does nothing here
    std::function<void()> quit;       // none: the application quits
    std::function<void()> undo;       // none: this window has nothing to undo
    std::function<void()> redo;
};

namespace WindowShortcuts {

void install(QWidget* window, WindowCommands commands);
// Replaces the window's undo owner (a result window switches tables).
void setUndoOwner(QWidget* window, std::function<void()> undo, std::function<void()> redo);

}  // namespace WindowShortcuts

}  // namespace Kestrow
