#include "Kestrow/Result/PlainResultWindow.hpp"

#include "Kestrow/Shell/Clipboard.hpp"
#include "Kestrow/Shell/ResultTitle.hpp"
#include "VozudOzev/Model/CellRef.hpp"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

std::optional<VozudOzev::Table> selectedTable(const VozudOzev::EngineOutput& output)
{
    if (!output.selectedTable || *output.selectedTable < 0 ||
        *output.selectedTable >= static_cast<int>(output.tables.size()))
        return std::nullopt;
    return output.tables[static_cast<size_t>(*output.selectedTable)];
}

}  // namespace

PlainResultWindow::PlainResultWindow(CaptureResult result, const std::optional<QString>& notice,
                                     ClipboardWriter& clipboard, std::function<Clipboard::CopyMode()> copyMode,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), result_(std::move(result)), clipboard_(clipboard), copyMode_(std::move(copyMode))
{
    setAttribute(Qt::WA_DeleteOnClose);
    const std::optional<VozudOzev::Table> table = selectedTable(result_.extraction.output);
    setWindowTitle(ResultTitle::make(result_.sourceName, table));
    setMinimumSize(420, 260);

    auto* layout = new QVBoxLayout(this);
    if (notice) {
        auto* label = new QLabel(*notice, this);
        label->setWordWrap(true);
        label->setObjectName(QStringLiteral("notice"));
        layout->addWidget(label);
    }
    if (table) {
        grid_ = new QTableWidget(table->rows, table->cols, this);
        grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid_->horizontalHeader()->setDefaultSectionSize(120);
        QStringList letters;
        for (int c = 0; c < table->cols; ++c)
            letters << QString::fromStdString(VozudOzev::CellRef::column(c));
        grid_->setHorizontalHeaderLabels(letters);
        const auto texts = table->grid();
        for (int r = 0; r < table->rows; ++r)
            for (int c = 0; c < table->cols; ++c) {
                auto* item = new QTableWidgetItem(QString::fromStdString(texts[r][c]));
                grid_->setItem(r, c, item);
            }
        for (const VozudOzev::Cell& cell : table->cells) {
            const int rowSpan = std::max(cell.rowSpan, 1);
            const int colSpan = std::max(cell.colSpan, 1);
            if ((rowSpan > 1 || colSpan > 1) && cell.row >= 0 && cell.col >= 0 && cell.row + rowSpan <= table->rows &&
                cell.col + colSpan <= table->cols)
                grid_->setSpan(cell.row, cell.col, rowSpan, colSpan);
            if (cell.isFlagged() && cell.row >= 0 && cell.row < table->rows && cell.col >= 0 && cell.col < table->cols)
                grid_->item(cell.row, cell.col)->setBackground(QColor(255, 214, 102));
        }
        layout->addWidget(grid_, 1);
    } else {
        auto* text = new QPlainTextEdit(QString::fromStdString(result_.extraction.plainText()), this);
        text->setReadOnly(true);
        layout->addWidget(text, 1);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* copyButton = new QPushButton(tr("Copy"), this);
    copyButton->setEnabled(table.has_value());
    connect(copyButton, &QPushButton::clicked, this, &PlainResultWindow::copy);
    buttons->addWidget(copyButton);
    layout->addLayout(buttons);
    resize(640, 420);
}

void PlainResultWindow::copy()
{
    if (const std::optional<VozudOzev::Table> table = selectedTable(result_.extraction.output))
        Clipboard::copy(*table, copyMode_ ? copyMode_() : Clipboard::CopyMode::asShown, clipboard_);
}

}  // namespace Kestrow
