#pragma once

#include <QString>

// Plays a WAV file to its end on the calling thread (SDL2 audio). No audio device, no file or a
// file SDL cannot read: silence, never an error. Safe to call from several threads at once.
void PlayWavToEnd(const QString& path);
