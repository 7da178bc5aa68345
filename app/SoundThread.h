#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>

// Sound threads still playing; the program waits for them when it ends, each at most as long as
// its sound.
class SoundThreadCount {
public:
    void Started();
    void Finished();
    // Waits until no sound thread runs, or until timeoutMs passed; true when none runs.
    bool WaitForNone(int timeoutMs);

private:
    std::mutex mutex_;
    std::condition_variable none_;
    int running_ = 0;
};

// The two sound flags shared with the sound thread: set by the main thread before a thread is
// started, cleared by the thread after it played the sound.
struct SoundFlags {
    std::atomic<bool> PageTurn{false}; // "\WavRes\1.wav"
    std::atomic<bool> Start{false};    // "\WavRes\2.wav"
    SoundThreadCount Running;
};

// TListTherd: starts a one-shot thread that plays the page-turn sound if its flag is set, then the
// start sound if its flag is set, clearing each flag after playing. The thread releases itself when
// it ends. lowPriority is used for page turns.
void StartListTherd(SoundFlags& flags, const QString& programFolder, bool lowPriority);
