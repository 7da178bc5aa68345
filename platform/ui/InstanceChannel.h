#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// How a later start reaches the running copy: a local socket beside the single-instance marker.
// The later start only asks the running copy to bring its window to the front and passes
// nothing else, then ends.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // Listens at path. Only the holder of the marker calls this, so a socket file found there
    // was left by a copy that has ended and is replaced.
    bool Listen(const QString& path);

    // Asks the copy listening at path to come to the front, waiting at most waitMs for it to
    // take the request; false when nobody listens.
    static bool AskToRaise(const QString& path, int waitMs);

signals:
    void RaiseRequested();

private:
    void TakeConnections();

    QLocalServer server_;
};
