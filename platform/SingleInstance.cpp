#include "platform/SingleInstance.h"

#include <QDir>

QString DefaultMarkerFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QDir(runtime).exists() ? runtime : QDir::tempPath();
}

SingleInstance::SingleInstance(const QString& folder)
    : path_(QDir(folder).filePath(QLatin1String(InstanceMarkerName))), lock_(path_) {
    // Never stale by age: only a lock whose process has gone is taken over.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::TryAcquire() {
    // tryLock takes over a lock whose process no longer runs (a copy killed with SIGKILL).
    return lock_.isLocked() || lock_.tryLock(0);
}
