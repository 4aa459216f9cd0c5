#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace KestrowEditor {

// Callbacks told that an object changed; the interface layer turns them into its own signals.
class ChangeListeners {
public:
    using Listener = std::function<void()>;

    int add(Listener listener)
    {
        listeners_.emplace_back(++lastId_, std::move(listener));
        return lastId_;
    }

    void remove(int id)
    {
        std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
    }

    void notify() const
    {
        // A copy, so that a listener may add or remove listeners.
        const auto current = listeners_;
        for (const auto& entry : current)
            entry.second();
    }

private:
    std::vector<std::pair<int, Listener>> listeners_;
    int lastId_ = 0;
};

}  // namespace KestrowEditor
