#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace KestrowEditor {
class EditorDocument;
}

// The structural edit commands of a grid, shared by its context menu and the result window's
// edit menu, built afresh from the document's selection whenever a menu opens.
namespace KestrowEditor::EditorCommands {

struct Item {
    std::string title;  // English text, the key of its translation
    bool enabled = false;
    std::function<void()> run;
};

// 13 slots; an empty one is a separator. The insert and header actions use the selection as
// it was when the list was made; delete, merge, split and clear act on the selection of the
// moment they run. The document must outlive the list.
std::vector<std::optional<Item>> items(EditorDocument& doc);

}  // namespace KestrowEditor::EditorCommands
