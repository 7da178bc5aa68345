#pragma once

#include <QString>
#include <atomic>

// The two sound flags shared with the sound thread: set by the main thread before a thread is
// started, cleared by the thread after it played the sound.
struct SoundFlags {
    std::atomic<bool> PageTurn{false}; // "\WavRes\1.wav"
    std::atomic<bool> Start{false};    // "\WavRes\2.wav"
};

// TListTherd: starts a one-shot thread that plays the page-turn sound if its flag is set, then the
// start sound if its flag is set, clearing each flag after playing. The thread releases itself when
// it ends. lowPriority is used for page turns.
void StartListTherd(SoundFlags& flags, const QString& programFolder, bool lowPriority);
