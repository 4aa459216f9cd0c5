#pragma once

#include <QObject>

class QSocketNotifier;

namespace Kestrow {

// Turns SIGTERM and SIGINT (a session ending, a service manager, Ctrl+C) into an ordinary
// quit of the event loop, so aboutToQuit runs and queued history writes reach the disk.
// The handler only writes a byte to a pipe; the event loop reads it.
class QuitOnTerminate : public QObject {
    Q_OBJECT

public:
    // Installs the handlers once per process; later calls return the same object.
    static QuitOnTerminate* install();

private:
    explicit QuitOnTerminate(int readEnd);
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace Kestrow
