#include "platform/DeviceGrid.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double MinRatio = 1.0;
constexpr double MaxRatio = 4.0;
} // namespace

double BookPixelRatio(double screenRatio) {
    if (!std::isfinite(screenRatio))
        return MinRatio;
    return std::clamp(screenRatio, MinRatio, MaxRatio);
}

int DevicePx(int logical, double ratio) {
    // Halves round up, the same way on both sides of zero.
    return static_cast<int>(std::floor(logical * ratio + 0.5));
}

TRect DeviceRect(const TRect& r, double ratio) {
    return {DevicePx(r.Left, ratio), DevicePx(r.Top, ratio), DevicePx(r.Right, ratio),
            DevicePx(r.Bottom, ratio)};
}

QSize DeviceSize(QSize logical, double ratio) {
    return {DevicePx(logical.width(), ratio), DevicePx(logical.height(), ratio)};
}

QSize LogicalSize(QSize device, double ratio) {
    return {static_cast<int>(std::lround(device.width() / ratio)),
            static_cast<int>(std::lround(device.height() / ratio))};
}

int DeviceLineWidth(int logical, double ratio) {
    return std::max(1, DevicePx(logical, ratio));
}

QSize ThumbnailSize(const TRect& rect, double ratio) {
    const TRect d = DeviceRect(rect, ratio);
    return {std::max(0, d.Width()), std::max(0, d.Height())};
}
