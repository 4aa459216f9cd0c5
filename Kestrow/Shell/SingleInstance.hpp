#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace Kestrow {

// One running copy per user and display: a second launch asks the first to reopen and
// leaves, so two processes never grab the same hot keys.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // "vantrel-<uid>-<display>", safe as a socket name.
    static QString standardName();

    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // True when another copy answered and was asked to reopen.
    bool askRunningToReopen(int timeoutMs = 1000);
    // Starts answering later launches; a socket left by a crashed copy is replaced.
    bool listen();

signals:
    void reopenRequested();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

}  // namespace Kestrow
