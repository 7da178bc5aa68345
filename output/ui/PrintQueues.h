#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The print queues of the system (CUPS destinations), as the print dialog lists them.
[[nodiscard]] QStringList PrintQueueNames();

// What a print queue says of its resolutions in dots per inch: the one it is set to (0 when it
// does not say; a resolution set with lpoptions counts) and the ones it accepts.
struct QueueResolutions {
    int Default = 0;
    QVector<int> Accepted;
};
[[nodiscard]] QueueResolutions ResolutionsOfQueue(const QString& queue);
