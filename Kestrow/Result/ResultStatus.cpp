#include "Kestrow/Result/ResultStatus.hpp"

#include "KestrowEditor/CellPos.hpp"
#include "KestrowEditor/TableEditing.hpp"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

namespace Kestrow::ResultStatus {

namespace {

QString printf1(const char* format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return QString::fromLatin1(buffer);
}

}  // namespace

QString sizeText(int rows, int cols)
{
    return QCoreApplication::translate("ResultView", "%1 × %2").arg(rows).arg(cols);
}

QString addressText(const KestrowEditor::EditorDocument& doc)
{
    const auto anchor = doc.selectedAnchor();
    if (!anchor)
        return {};
    QString text = QString::fromStdString(anchor->description());
    if (const VozudOzev::Cell* cell = doc.cell(*anchor); cell && cell->confidence)
        text += QStringLiteral(" · ") + printf1("%.0f%%", *cell->confidence * 100);
    return text;
}

bool selectionNeedsCheck(const KestrowEditor::EditorDocument& doc, double threshold)
{
    const auto anchor = doc.selectedAnchor();
    const VozudOzev::Cell* cell = anchor ? doc.cell(*anchor) : nullptr;
    return cell && KestrowEditor::TableEditing::needsCheck(*cell, threshold);
}

QString timeText(double milliseconds)
{
    return printf1("%.0f ms", milliseconds);
}

QString undoHelp(const KestrowEditor::EditorDocument& doc)
{
    if (!doc.canUndo())
        return QCoreApplication::translate("ResultView", "Undo (Ctrl+Z)");
    return QCoreApplication::translate("ResultView", "Undo %1 (Ctrl+Z)").arg(QCoreApplication::translate("EditorCommands", doc.undoTitle().c_str()));
}

QString redoHelp(const KestrowEditor::EditorDocument& doc)
{
    if (!doc.canRedo())
        return QCoreApplication::translate("ResultView", "Redo (Ctrl+Shift+Z)");
    return QCoreApplication::translate("ResultView", "Redo %1 (Ctrl+Shift+Z)").arg(QCoreApplication::translate("EditorCommands", doc.redoTitle().c_str()));
}

QString pickerLabel(int index, int rows, int cols)
{
    return QCoreApplication::translate("ResultView", "Table %1 · %2×%3").arg(index + 1).arg(rows).arg(cols);
}

double splitDrag(double start, double dy)
{
    return std::max(60.0, start - dy);
}

}  // namespace Kestrow::ResultStatus
