#include "platform/ui/InstanceChannel.h"

#include <QLocalSocket>

namespace {
const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
} // namespace

bool InstanceChannel::Listen(const QString& path) {
    if (path.isEmpty())
        return false;
    QLocalServer::removeServer(path);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceChannel::TakeConnections,
            Qt::UniqueConnection);
    return server_.listen(path);
}

void InstanceChannel::TakeConnections() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            // Nothing but the request is taken: a later start passes nothing on.
            if (socket->readLine() == RaiseRequest)
                emit RaiseRequested();
            socket->disconnectFromServer();
        });
    }
}

bool InstanceChannel::AskToRaise(const QString& path, int waitMs) {
    if (path.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(waitMs))
        return false;
    socket.write(RaiseRequest);
    const bool sent = socket.waitForBytesWritten(waitMs);
    socket.disconnectFromServer();
    return sent;
}
