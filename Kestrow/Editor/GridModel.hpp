#pragma once

#include <QAbstractTableModel>

namespace KestrowEditor {
class EditorDocument;
}

namespace Kestrow {

// The document's grid as a table model: column 0 is the row-number gutter, column c shows
// document column c - 1. Painting reads the document directly; the model gives the view its
// size, the header letters and the texts for accessibility.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setDocument(const KestrowEditor::EditorDocument* doc);
    // Below it an unedited cell needs checking (said in the cell's accessible text).
    void setThreshold(double threshold) { threshold_ = threshold; }
    // After a change of the table: a reset when the size changed, else one data change.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const KestrowEditor::EditorDocument* doc_ = nullptr;
    int rows_ = 0;
    int cols_ = 0;
    double threshold_ = 0.8;
};

}  // namespace Kestrow
