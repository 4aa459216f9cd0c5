#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace Kestrow {

// Asks before something that cannot be undone; true when the user chose `action`.
// Views take one so tests can answer without a modal dialog.
using HistoryConfirm = std::function<bool(QWidget* parent, const QString& title, const QString& message,
                                          const QString& action)>;

// A message box with the destructive action and Cancel (the default).
bool confirmWithMessageBox(QWidget* parent, const QString& title, const QString& message, const QString& action);

}  // namespace Kestrow
