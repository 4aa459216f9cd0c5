#include "Kestrow/Shell/AlertPresenter.hpp"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QObject>

namespace Kestrow {

int MessageBoxAlertPresenter::run(const Alert& alert)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Vantrel"));
    box.setText(alert.message);
    box.setInformativeText(alert.informativeText);
    const QStringList buttons = alert.buttons.isEmpty() ? QStringList{QObject::tr("OK")} : alert.buttons;
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        const auto role = i == 0 ? QMessageBox::AcceptRole
                                 : (i == buttons.size() - 1 && buttons.size() > 1 ? QMessageBox::RejectRole
                                                                                  : QMessageBox::ActionRole);
        // "Quit & Reopen" shown as written, not as a mnemonic.
        added.append(box.addButton(QString(buttons[i]).replace(u'&', QStringLiteral("&&")), role));
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // In front and holding the keyboard once shown, so Return and Escape answer it.
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    box.exec();
    const int index = static_cast<int>(added.indexOf(box.clickedButton()));
    // Closing the box (Esc, window manager) counts as the last button, the cancelling one.
    return index >= 0 ? index : static_cast<int>(buttons.size()) - 1;
}

}  // namespace Kestrow
