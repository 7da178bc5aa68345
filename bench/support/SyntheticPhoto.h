#pragma once

#include <QImage>
#include <QSize>
#include <algorithm>
#include <cmath>

// Photograph-like test pictures for the benchmarks, the same for the same i and size.
// Sky-to-ground gradients, soft light patches and sensor-like noise.
inline QImage MakePhoto(int i, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    quint32 state = 2463534242u + i * 7919u;
    auto noise = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<int>(state % 17) - 8;
    };
    const double w = size.width(), h = size.height();
    const double phase = i * 0.7;
    for (int y = 0; y < size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double fy = y / h;
        for (int x = 0; x < size.width(); ++x) {
            const double fx = x / w;
            const double light =
                0.5 + 0.5 * std::sin(6.0 * fx + phase) * std::cos(4.0 * fy - phase);
            const int r = static_cast<int>(60 + 120 * fy + 60 * light) + noise();
            const int g = static_cast<int>(90 + 80 * (1 - fy) + 50 * light * fx) + noise();
            const int b = static_cast<int>(200 - 140 * fy + 30 * light) + noise();
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}
