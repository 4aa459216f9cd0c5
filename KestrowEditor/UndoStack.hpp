#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace KestrowEditor {

// Named undo and redo steps, one action each, no grouping. An action registered while an
// undo runs goes to the redo side, one registered while a redo runs goes back to the undo
// side; any other registration starts a new history and forgets what could be redone.
class UndoStack {
public:
    using Action = std::function<void()>;

    explicit UndoStack(std::size_t levels = 200) : levels_(levels) {}
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    void registerUndo(std::string name, Action action);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // "" when there is nothing to undo (or redo).
    std::string undoActionName() const;
    std::string redoActionName() const;

    void undo();
    void redo();

    bool isUndoing() const { return mode_ == Mode::undoing; }
    bool isRedoing() const { return mode_ == Mode::redoing; }
    std::size_t levelsOfUndo() const { return levels_; }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }

private:
    struct Step {
        std::string name;
        Action action;
    };
    enum class Mode { normal, undoing, redoing };

    void run(std::deque<Step>& from, Mode mode);
    void trim(std::deque<Step>& steps);

    std::size_t levels_;
    std::deque<Step> undo_;  // newest at the back
    std::deque<Step> redo_;
    Mode mode_ = Mode::normal;
};

}  // namespace KestrowEditor
