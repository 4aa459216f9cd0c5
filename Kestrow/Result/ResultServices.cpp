#include "Kestrow/Result/ResultServices.hpp"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QWidget>

#include <cstdio>

namespace Kestrow {

ResultServices ResultServices::real()
{
    ResultServices services;
    services.setClipboard = [](std::unique_ptr<QMimeData> data) {
        QGuiApplication::clipboard()->setMimeData(data.release(), QClipboard::Clipboard);
    };
    services.askSavePath = [](QWidget* parent, const SaveRequest& request) -> std::optional<QString> {
        if (parent) {
            parent->raise();
            parent->activateWindow();
        }
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(request.filter);
        dialog.setDefaultSuffix(request.suffix);
        dialog.selectFile(request.defaultName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dialog.selectedFiles().constFirst();
        if (path.isEmpty())
            return std::nullopt;
        return path;
    };
    services.alert = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
        box.exec();
    };
    services.toast = [](const QString& text) { std::fprintf(stderr, "Vantrel: %s\n", qUtf8Printable(text)); };
    return services;
}

}  // namespace Kestrow
