#include "Kestrow/Result/PlaceholderGrid.hpp"

#include "Kestrow/Result/WindowPalette.hpp"
#include "KestrowEditor/CellPos.hpp"
#include "KestrowEditor/TableEditing.hpp"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace Kestrow {

class PlaceholderGrid::Model : public QAbstractTableModel {
public:
    Model(std::function<double()> threshold, bool dark, QObject* parent)
        : QAbstractTableModel(parent), threshold_(std::move(threshold)), palette_(WindowPalette::forDark(dark))
    {
    }

    void setDocument(KestrowEditor::EditorDocument* doc)
    {
        beginResetModel();
        doc_ = doc;
        endResetModel();
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !doc_ ? 0 : doc_->table().rows;
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !doc_ ? 0 : doc_->table().cols;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!doc_)
            return {};
        const KestrowEditor::CellPos pos(index.row(), index.column());
        const VozudOzev::Cell* cell = doc_->cell(pos);
        const bool anchor = cell && cell->row == pos.row && cell->col == pos.col;
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return anchor ? QString::fromStdString(cell->text) : QString();
        case Qt::BackgroundRole:
            if (cell && KestrowEditor::TableEditing::needsCheck(*cell, threshold_()))
                return palette_.flagFill;
            return {};
        case Qt::ForegroundRole:
            return palette_.ink;
        case Qt::FontRole:
            if (cell && cell->header.value_or(false)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!doc_ || role != Qt::EditRole)
            return false;
        return doc_->setText(value.toString().toStdString(), KestrowEditor::CellPos(index.row(), index.column()),
                             threshold_());
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return QString::fromStdString(KestrowEditor::CellPos::columnName(section));
        return section + 1;
    }

private:
    KestrowEditor::EditorDocument* doc_ = nullptr;
    std::function<double()> threshold_;
    const WindowPalette& palette_;
};

PlaceholderGrid::PlaceholderGrid(std::function<double()> threshold, bool dark, QWidget* parent)
    : QTableView(parent), model_(new Model(std::move(threshold), dark, this))
{
    setObjectName(QStringLiteral("grid"));
    setModel(model_);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    horizontalHeader()->setDefaultSectionSize(110);
    verticalHeader()->setDefaultSectionSize(26);
    horizontalHeader()->setStretchLastSection(true);
    const WindowPalette& p = WindowPalette::forDark(dark);
    setStyleSheet(QStringLiteral("QTableView { background: %1; color: %2; gridline-color: %3; border: none; }"
                                 "QHeaderView, QHeaderView::section, QTableCornerButton::section { background: %4; color: %5; border: none;"
                                 " padding: 2px; }")
                      .arg(p.window.name(), p.ink.name(), p.hairline.name(), p.bar.name(), p.muted.name()));
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (syncing_ || !doc_ || !current.isValid())
            return;
        doc_->select(KestrowEditor::CellPos(current.row(), current.column()), false);
    });
}

void PlaceholderGrid::setDocument(KestrowEditor::EditorDocument* doc)
{
    doc_ = doc;
    model_->setDocument(doc);
    refresh();
}

void PlaceholderGrid::refresh()
{
    syncing_ = true;
    const QModelIndex current = currentIndex();
    model_->reset();
    clearSpans();
    if (doc_)
        for (const VozudOzev::Cell& cell : doc_->table().cells)
            if (cell.rowSpan > 1 || cell.colSpan > 1)
                setSpan(cell.row, cell.col, std::max(cell.rowSpan, 1), std::max(cell.colSpan, 1));
    if (doc_) {
        if (const auto anchor = doc_->selectedAnchor())
            setCurrentIndex(model_->index(anchor->row, anchor->col));
        else if (current.isValid())
            setCurrentIndex(model_->index(current.row(), current.column()));
    }
    syncing_ = false;
}

}  // namespace Kestrow
