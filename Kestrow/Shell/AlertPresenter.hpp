#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace Kestrow {

// One modal alert: a message, an informative text and its buttons, the first the default.
struct Alert {
    QString message;
    QString informativeText;
    QStringList buttons;  // empty: one "OK"

    bool operator==(const Alert&) const = default;
};

// Shows alerts and says which button was chosen (0 for the first).
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    virtual int run(const Alert& alert) = 0;
};

// QMessageBox, modal; the application is raised first so the alert is in front.
class MessageBoxAlertPresenter final : public AlertPresenter {
public:
    int run(const Alert& alert) override;
};

}  // namespace Kestrow
