#pragma once

#include "KestrowEditor/EditorDocument.hpp"

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>

namespace Kestrow {

// A plain grid over an editor document, standing in for the full grid view: shows the
// cells, marks those needing a look, edits a cell in place and follows the selection.
class PlaceholderGrid : public QTableView {
    Q_OBJECT
public:
    PlaceholderGrid(std::function<double()> threshold, bool dark, QWidget* parent = nullptr);

    void setDocument(KestrowEditor::EditorDocument* doc);
    KestrowEditor::EditorDocument* document() const { return doc_; }
    // Redraws after a change of the document.
    void refresh();

private:
    class Model;
    Model* model_;
    KestrowEditor::EditorDocument* doc_ = nullptr;
    bool syncing_ = false;
};

}  // namespace Kestrow
