#include "app/SoundThread.h"

#include "platform/ProgramFolder.h"
#include "platform/SoundPlayer.h"

#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

// Plain literals: a thread still playing at exit never meets a destroyed string.
constexpr const char* PageTurnSound = "\\WavRes\\1.wav";
constexpr const char* StartSound = "\\WavRes\\2.wav";
constexpr int LowestPriorityNice = 19;

// The thread's body (TListTherd.Execute): page-turn sound first, then the start sound.
void Execute(SoundFlags& flags, const QString& folder) {
    if (flags.PageTurn) {
        PlayWavToEnd(ResourcePath(folder, QLatin1String(PageTurnSound)));
        flags.PageTurn = false;
    }
    if (flags.Start) {
        PlayWavToEnd(ResourcePath(folder, QLatin1String(StartSound)));
        flags.Start = false;
    }
}

} // namespace

void SoundThreadCount::Started() {
    const std::lock_guard lock(mutex_);
    ++running_;
}

void SoundThreadCount::Finished() {
    // Notified under the lock, so a waiter that returns (and may destroy this object) cannot do so
    // before the finishing thread has let go of it.
    const std::lock_guard lock(mutex_);
    --running_;
    none_.notify_all();
}

bool SoundThreadCount::WaitForNone(int timeoutMs) {
    std::unique_lock lock(mutex_);
    return none_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [this] { return running_ == 0; });
}

void StartListTherd(SoundFlags& flags, const QString& programFolder, bool lowPriority) {
    flags.Running.Started();
    try {
        std::thread([&flags, programFolder, lowPriority] {
            if (lowPriority) // Linux keeps a nice value per thread
                setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), LowestPriorityNice);
            Execute(flags, programFolder);
            flags.Running.Finished();
        }).detach();
    } catch (const std::system_error&) {
        // No thread could be made: the sound is skipped, as a missing sound would be.
        flags.PageTurn = false;
        flags.Start = false;
        flags.Running.Finished();
    }
}
