#include "KestrowEditor/EditorCommands.hpp"

#include "KestrowEditor/EditorDocument.hpp"

namespace KestrowEditor::EditorCommands {

std::vector<std::optional<Item>> items(EditorDocument& doc)
{
    const bool selected = doc.selection().has_value();
    const std::optional<CellRect> rect = doc.selectedRect();
    EditorDocument* d = &doc;
    // Runs the action with the rectangle of the moment the list was made, or not at all.
    auto withRect = [rect](auto action) {
        return [rect, action] {
            if (rect)
                action(*rect);
        };
    };
    const bool rowsLeft = rect && rect->maxRow - rect->minRow + 1 < doc.table().rows;
    const bool colsLeft = rect && rect->maxCol - rect->minCol + 1 < doc.table().cols;
    const bool inHeader = rect && rect->minRow < doc.headerRowCount();

    std::vector<std::optional<Item>> list;
    list.push_back(Item{"Insert Row Above", selected, withRect([d](CellRect r) { d->insertRow(r.minRow); })});
    list.push_back(Item{"Insert Row Below", selected, withRect([d](CellRect r) { d->insertRow(r.maxRow + 1); })});
    list.push_back(Item{"Delete Row", selected && rowsLeft, [d] { d->deleteSelectedRows(); }});
    list.push_back(std::nullopt);
    list.push_back(Item{"Insert Column Left", selected, withRect([d](CellRect r) { d->insertColumn(r.minCol); })});
    list.push_back(
        Item{"Insert Column Right", selected, withRect([d](CellRect r) { d->insertColumn(r.maxCol + 1); })});
    list.push_back(Item{"Delete Column", selected && colsLeft, [d] { d->deleteSelectedColumns(); }});
    list.push_back(std::nullopt);
    list.push_back(Item{"Merge Cells", doc.canMerge(), [d] { d->mergeSelection(); }});
    list.push_back(Item{"Split Cells", doc.canSplit(), [d] { d->splitSelection(); }});
    list.push_back(std::nullopt);
    list.push_back(Item{inHeader ? "Unmark Header Row" : "Mark as Header Row", selected,
                        withRect([d](CellRect r) { d->toggleHeader(r.minRow); })});
    list.push_back(Item{"Clear Contents", selected, [d] { d->clearSelection(); }});
    return list;
}

}  // namespace KestrowEditor::EditorCommands
