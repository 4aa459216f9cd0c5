#pragma once

#include "KestrowEditor/ChangeListeners.hpp"
#include "KestrowEditor/EditorDocument.hpp"

#include <memory>
#include <vector>

namespace KestrowEditor {

// One document per table of a capture, each with its own undo history, all with the same
// post-processing; a change in any document is told to the store's listeners.
class EditorStore {
public:
    // The hook is set after the documents are made: the tables as recognised are not
    // post-processed before their first edit.
    EditorStore(std::vector<VozudOzev::Table> tables, EditorDocument::PostProcess postProcess);
    // The documents' listeners refer back to the store.
    EditorStore(const EditorStore&) = delete;
    EditorStore& operator=(const EditorStore&) = delete;

    const std::vector<std::unique_ptr<EditorDocument>>& docs() const { return docs_; }

    int addListener(ChangeListeners::Listener listener) { return listeners_.add(std::move(listener)); }
    void removeListener(int id) { listeners_.remove(id); }

private:
    // Declared before the documents, so it outlives their forwarding listeners.
    ChangeListeners listeners_;
    std::vector<std::unique_ptr<EditorDocument>> docs_;
};

}  // namespace KestrowEditor
