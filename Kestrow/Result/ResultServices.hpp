#pragma once

#include "Kestrow/Result/SaveFormat.hpp"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMimeData;
class QWidget;

namespace Kestrow {

// The platform services a result window's actions use; tests replace any of them.
struct ResultServices {
    // Takes the data onto the system clipboard.
    std::function<void(std::unique_ptr<QMimeData>)> setClipboard;
    // The chosen path, or nothing when the user cancelled.
    std::function<std::optional<QString>(QWidget* parent, const SaveRequest& request)> askSavePath;
    std::function<void(QWidget* parent, const QString& title, const QString& text)> alert;
    // A short success message.
    std::function<void(const QString& text)> toast;

    // QClipboard, QFileDialog, QMessageBox and a log line in place of a toast.
    static ResultServices real();
};

}  // namespace Kestrow
