#pragma once

#include <QString>

// The name of the marker that the first running copy of the program holds.
inline constexpr const char* InstanceMarkerName = "UnikumString0.1";

// The folder of this user's marker: $XDG_RUNTIME_DIR when it is a folder of the user's own; else
// a private folder of the user's own in the temporary folder whose name carries the user id
// ("krel-album-1000"), made when missing; else the same under the user's cache folder. Empty
// when none of them can be had.
[[nodiscard]] QString DefaultMarkerFolder();

// The single-instance marker: a file in the user's own folder with an advisory lock on it, held
// from start to exit. The kernel drops the lock when its process ends however it ends, so a
// marker left by a crashed or killed copy never blocks the next start.
class SingleInstance {
public:
    explicit SingleInstance(const QString& folder = DefaultMarkerFolder());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the marker (it then names this process), false when
    // another running copy holds it. Without a usable folder there is nothing to hold and
    // nothing to stop the start: true.
    [[nodiscard]] bool TryAcquire();
    [[nodiscard]] QString MarkerPath() const { return path_; }
    // Where the running copy listens for later starts (beside the marker).
    [[nodiscard]] QString ChannelPath() const { return channel_; }

private:
    QString path_;
    QString channel_;
    int fd_ = -1;
};
