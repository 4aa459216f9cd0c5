#include "KestrowEditor/EditorStore.hpp"

namespace KestrowEditor {

EditorStore::EditorStore(std::vector<VozudOzev::Table> tables, EditorDocument::PostProcess postProcess)
{
    docs_.reserve(tables.size());
    for (auto& table : tables)
        docs_.push_back(std::make_unique<EditorDocument>(std::move(table)));
    for (auto& doc : docs_) {
        doc->setPostProcess(postProcess);
        doc->addListener([this] { listeners_.notify(); });
    }
}

}  // namespace KestrowEditor
