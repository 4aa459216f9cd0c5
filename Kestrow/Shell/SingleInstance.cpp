#include "Kestrow/Shell/SingleInstance.hpp"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace Kestrow {

namespace {
constexpr char reopenMessage[] = "reopen\n";
}

QString SingleInstance::standardName()
{
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    QString safe;
    for (QChar c : display)
        safe += c.isLetterOrNumber() ? c : QChar(u'_');
    return QStringLiteral("vantrel-%1-%2").arg(static_cast<qulonglong>(getuid())).arg(safe);
}

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

bool SingleInstance::askRunningToReopen(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(reopenMessage);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // Nobody answered before, so the socket is a leftover.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_))
            return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto read = [this, socket] {
                // Only the one known message counts; anything else is dropped unread.
                if (socket->bytesAvailable() > 64) {
                    socket->abort();
                    return;
                }
                if (socket->canReadLine() && socket->readLine() == reopenMessage)
                    emit reopenRequested();
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            read();
        }
    });
    return true;
}

}  // namespace Kestrow
