// The two sounds, synthesised: a soft paper page turn and a short start-up chime.
#include "Generators.h"
#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SampleRate = 44100;
constexpr double Pi = 3.14159265358979323846;
constexpr double PageTurnSeconds = 0.42;
constexpr double ChimeSeconds = 1.5;

// Scales the sound so that its loudest sample reaches peak, and fades its ends in and out so that
// it starts and stops without a click.
void Finish(std::vector<float>& s, double peak, double fadeIn, double fadeOut) {
    float top = 0;
    for (float v : s)
        top = std::max(top, std::abs(v));
    if (top > 0)
        for (float& v : s)
            v = float(v * peak / top);
    const int in = int(fadeIn * SampleRate), out = int(fadeOut * SampleRate);
    for (int i = 0; i < in && i < int(s.size()); ++i)
        s[size_t(i)] *= float(i) / float(in);
    for (int i = 0; i < out && i < int(s.size()); ++i)
        s[s.size() - 1 - size_t(i)] *= float(i) / float(out);
}

// A page sliding over the next one and settling: band-passed noise whose centre sweeps up and
// down with the swish, a few paper crackles, and a soft low thump as the page lands.
std::vector<float> PageTurn() {
    const int n = int(PageTurnSeconds * SampleRate);
    std::vector<float> s(size_t(n), 0.0f);
    const Noise noise(401);
    double low = 0, band = 0; // state-variable filter
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / SampleRate;
        const double white = noise.Hash(i, 1) * 2 - 1;
        const double centre = 700 + 2300 * std::sin(Pi * std::min(1.0, t / 0.34));
        const double f = 2 * std::sin(Pi * centre / SampleRate);
        const double q = 0.9;
        low += f * band;
        const double high = white - low - q * band;
        band += f * high;
        // Swish envelope: rises over 80 ms, holds, then falls away by the end.
        const double rise = std::min(1.0, t / 0.08);
        const double fall = std::exp(-std::max(0.0, t - 0.16) * 11.0);
        double v = band * rise * fall * (0.8 + 0.2 * std::sin(2 * Pi * 9 * t));
        // Crackles: short decaying clicks scattered through the first 300 ms.
        for (int k = 0; k < 7; ++k) {
            const double at = 0.03 + 0.04 * k + 0.02 * noise.Hash(k, 7);
            const double d = t - at;
            if (d >= 0 && d < 0.006)
                v += (noise.Hash(i, 3) * 2 - 1) * 0.5 * std::exp(-d * 900);
        }
        // The page lands.
        const double land = t - 0.3;
        if (land >= 0)
            v += 0.2 * std::min(1.0, land / 0.003) * std::sin(2 * Pi * 95 * land) *
                 std::exp(-land * 40);
        s[size_t(i)] = float(v);
    }
    Finish(s, 0.45, 0.004, 0.02);
    return s;
}

// Three bell tones of a major chord struck one after another, ringing out together.
std::vector<float> Chime() {
    const int n = int(ChimeSeconds * SampleRate);
    std::vector<float> s(size_t(n), 0.0f);
    const double notes[3] = {1046.5, 1318.5, 1568.0}; // C6, E6, G6
    const double partials[4][3] = {
        // ratio, strength, decay per second
        {1.0, 1.0, 2.6},
        {2.0, 0.35, 4.0},
        {3.01, 0.12, 6.0},
        {4.2, 0.06, 9.0},
    };
    for (int k = 0; k < 3; ++k) {
        const double start = 0.11 * k;
        for (int i = int(start * SampleRate); i < n; ++i) {
            const double t = double(i) / SampleRate - start;
            const double attack = std::min(1.0, t / 0.004);
            double v = 0;
            for (const auto& part : partials)
                v += part[1] * std::sin(2 * Pi * notes[k] * part[0] * t) * std::exp(-t * part[2]);
            s[size_t(i)] += float(v * attack * (1.0 - 0.15 * k));
        }
    }
    Finish(s, 0.6, 0.002, 0.08);
    return s;
}

} // namespace

void MakeSounds(const OutputFolder& out) {
    out.Wav(QStringLiteral("WavRes/1.wav"), PageTurn(), SampleRate);
    out.Wav(QStringLiteral("WavRes/2.wav"), Chime(), SampleRate);
}
