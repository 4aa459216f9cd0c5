#include "Kestrow/History/HistoryConfirm.hpp"

#include <QMessageBox>
#include <QPushButton>

namespace Kestrow {

bool confirmWithMessageBox(QWidget* parent, const QString& title, const QString& message, const QString& action)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Cancel, parent);
    box.setInformativeText(QString());
    QPushButton* destroy = box.addButton(action, QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == destroy;
}

}  // namespace Kestrow
