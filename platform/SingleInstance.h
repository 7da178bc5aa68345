#pragma once

#include <QLockFile>
#include <QString>

// The name of the marker that the first running copy of the program holds.
inline constexpr const char* InstanceMarkerName = "UnikumString0.1";

// The folder of the marker: $XDG_RUNTIME_DIR, or the temporary folder without one.
[[nodiscard]] QString DefaultMarkerFolder();

// The single-instance marker: a lock file held from start to exit. A lock left by a copy that
// was killed does not count, since the process named in it no longer runs.
class SingleInstance {
public:
    explicit SingleInstance(const QString& folder = DefaultMarkerFolder());
    // True when this process now holds the marker; false when another running copy holds it.
    [[nodiscard]] bool TryAcquire();
    [[nodiscard]] QString MarkerPath() const { return path_; }

private:
    QString path_;
    QLockFile lock_;
};
