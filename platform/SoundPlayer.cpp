#include "platform/SoundPlayer.h"

#include <QFile>
#include <SDL.h>
#include <mutex>

namespace {

// Slack beyond the sound's own length before giving up on a device that does not play.
constexpr Uint32 StallMarginMs = 2000;
constexpr Uint32 PollMs = 10;
// A small device buffer: the sound starts soon and its last piece ends soon after the queue
// empties.
constexpr Uint16 DeviceBufferFrames = 1024;

// SDL's subsystem start and stop are not thread-safe; its reference count makes them nest.
std::mutex& SdlInitMutex() {
    static std::mutex mutex;
    return mutex;
}

class AudioSubsystem {
public:
    AudioSubsystem() {
        const std::lock_guard lock(SdlInitMutex());
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ok_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    ~AudioSubsystem() {
        const std::lock_guard lock(SdlInitMutex());
        if (ok_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    AudioSubsystem(const AudioSubsystem&) = delete;
    AudioSubsystem& operator=(const AudioSubsystem&) = delete;
    [[nodiscard]] bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

Uint32 DurationMs(const SDL_AudioSpec& wavFormat, Uint32 bytes) {
    const Uint32 frame = SDL_AUDIO_BITSIZE(wavFormat.format) / 8 * wavFormat.channels;
    if (frame == 0 || wavFormat.freq <= 0)
        return 0;
    return Uint32(Uint64(bytes) / frame * 1000 / Uint64(wavFormat.freq));
}

} // namespace

void PlayWavToEnd(const QString& path) {
    const AudioSubsystem audio;
    if (!audio.Ok())
        return;
    SDL_AudioSpec wavFormat{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(QFile::encodeName(path).constData(), &wavFormat, &samples, &length))
        return;
    // SDL converts to what the device takes (allowed changes 0).
    wavFormat.samples = DeviceBufferFrames;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wavFormat, nullptr, 0);
    if (device != 0) {
        if (SDL_QueueAudio(device, samples, length) == 0) {
            SDL_PauseAudioDevice(device, 0);
            const Uint32 deadline = SDL_GetTicks() + DurationMs(wavFormat, length) + StallMarginMs;
            while (SDL_GetQueuedAudioSize(device) > 0 &&
                   !SDL_TICKS_PASSED(SDL_GetTicks(), deadline))
                SDL_Delay(PollMs);
            // The last buffer handed to the device still has to sound.
            if (wavFormat.freq > 0)
                SDL_Delay(Uint32(Uint64(wavFormat.samples) * 1000 / Uint64(wavFormat.freq)));
        }
        SDL_CloseAudioDevice(device);
    }
    SDL_FreeWAV(samples);
}
