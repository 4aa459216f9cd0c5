#include "Kestrow/Editor/GridModel.hpp"

#include "KestrowEditor/CellPos.hpp"
#include "Kestrow/Editor/GridDelegate.hpp"

#include "KestrowEditor/EditorDocument.hpp"
#include "KestrowEditor/SlotState.hpp"

namespace Kestrow {

void GridModel::setDocument(const KestrowEditor::EditorDocument* doc)
{
    beginResetModel();
    doc_ = doc;
    rows_ = doc ? std::max(doc->table().rows, 0) : 0;
    cols_ = doc ? std::max(doc->table().cols, 0) + 1 : 0;
    endResetModel();
}

void GridModel::refresh()
{
    const int rows = doc_ ? std::max(doc_->table().rows, 0) : 0;
    const int cols = doc_ ? std::max(doc_->table().cols, 0) + 1 : 0;
    if (rows != rows_ || cols != cols_) {
        beginResetModel();
        rows_ = rows;
        cols_ = cols;
        endResetModel();
    } else if (rows_ > 0 && cols_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    }
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!doc_ || !index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    if (index.column() == 0)
        return QString::number(index.row() + 1);
    if (role == Qt::AccessibleTextRole) {
        const auto state = KestrowEditor::SlotState::make(*doc_, index.row(), index.column(), std::nullopt, 0, threshold_);
        return GridDelegate::accessibilityLabel(state);
    }
    const auto* cell = doc_->cell({index.row(), index.column() - 1});
    // Only the anchor slot holds the text, as in the exported grid.
    if (!cell || cell->row != index.row() || cell->col != index.column() - 1)
        return QString();
    return QString::fromStdString(cell->text);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return section == 0 ? QString() : QString::fromStdString(KestrowEditor::CellPos::columnName(section - 1));
}

}  // namespace Kestrow
