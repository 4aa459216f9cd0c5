#include "Kestrow/History/HistoryConfirm.hpp"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Kestrow {

bool confirmWithMessageBox(QWidget* parent, const QString& title, const QString& message, const QString& action)
{
    // The question in the box itself: many window managers show a dialog's title small or not at all.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vantrel"), title, QMessageBox::NoButton, parent);
    box.setInformativeText(message);
    QPushButton* destroy = box.addButton(QString(action).replace(u'&', QStringLiteral("&&")), QMessageBox::DestructiveRole);
    // Our own Cancel: Qt's standard button would stay English in a translated interface.
    QPushButton* cancel = box.addButton(QCoreApplication::translate("HistoryConfirm", "Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == destroy;
}

}  // namespace Kestrow
