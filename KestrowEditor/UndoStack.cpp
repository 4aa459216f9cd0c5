#include "KestrowEditor/UndoStack.hpp"

#include <utility>

namespace KestrowEditor {

void UndoStack::registerUndo(std::string name, Action action)
{
    Step step{std::move(name), std::move(action)};
    switch (mode_) {
    case Mode::undoing:
        redo_.push_back(std::move(step));
        trim(redo_);
        break;
    case Mode::redoing:
        undo_.push_back(std::move(step));
        trim(undo_);
        break;
    case Mode::normal:
        undo_.push_back(std::move(step));
        trim(undo_);
        redo_.clear();
        break;
    }
}

std::string UndoStack::undoActionName() const
{
    return undo_.empty() ? std::string() : undo_.back().name;
}

std::string UndoStack::redoActionName() const
{
    return redo_.empty() ? std::string() : redo_.back().name;
}

void UndoStack::undo()
{
    run(undo_, Mode::undoing);
}

void UndoStack::redo()
{
    run(redo_, Mode::redoing);
}

void UndoStack::run(std::deque<Step>& from, Mode mode)
{
    if (from.empty() || mode_ != Mode::normal)
        return;
    Step step = std::move(from.back());
    from.pop_back();
    mode_ = mode;
    try {
        step.action();
    } catch (...) {
        // The step did not happen: keep it where it was.
        mode_ = Mode::normal;
        from.push_back(std::move(step));
        throw;
    }
    mode_ = Mode::normal;
}

void UndoStack::trim(std::deque<Step>& steps)
{
    while (steps.size() > levels_)
        steps.pop_front();
}

}  // namespace KestrowEditor
