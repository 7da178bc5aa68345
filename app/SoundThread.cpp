#include "app/SoundThread.h"

// Placeholder until the SDL player lands: clears the flags without playing.
void StartListTherd(SoundFlags& flags, const QString&, bool) {
    flags.PageTurn = false;
    flags.Start = false;
}
