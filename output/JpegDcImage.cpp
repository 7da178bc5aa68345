#include "output/JpegDcImage.h"

#include "output/JpegMarkers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr unsigned char MarkerDqt = 0xDB;
constexpr unsigned char MarkerApp14 = 0xEE;
constexpr int BlockSize = 8;
constexpr int CoefficientsPerBlock = 64;
constexpr int Centre = 128;

unsigned char At(const QByteArray& b, qsizetype i) {
    return static_cast<unsigned char>(b[i]);
}

int U16(const QByteArray& b, qsizetype i) {
    return At(b, i) << 8 | At(b, i + 1);
}

// Start-of-frame markers: C0..CF except DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameMarker(unsigned char m) {
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

// Reads the DC value of each quantization table of a DQT segment.
bool ReadDqt(const QByteArray& b, qsizetype at, qsizetype end, int dcQuant[4]) {
    while (at < end) {
        const int pq = At(b, at) >> 4, tq = At(b, at) & 0x0F;
        const qsizetype size = 1 + CoefficientsPerBlock * (pq == 0 ? 1 : 2);
        if (tq > 3 || at + size > end)
            return false;
        dcQuant[tq] = pq == 0 ? At(b, at + 1) : U16(b, at + 1);
        at += size;
    }
    return true;
}

unsigned char Clamp(int v) {
    return static_cast<unsigned char>(std::clamp(v, 0, 255));
}

} // namespace

std::optional<JpegFrame> ReadJpegFrame(const QByteArray& jpeg) {
    JpegFrame frame;
    int dcQuant[4] = {0, 0, 0, 0};
    QVector<int> tables;
    bool ok = true, found = false;
    ForEachSegment(jpeg, [&](const JpegSegment& s) {
        const qsizetype body = s.Offset + 4, end = s.Offset + s.Length;
        if (s.Marker == MarkerDqt) {
            ok = ok && ReadDqt(jpeg, body, end, dcQuant);
        } else if (s.Marker == MarkerApp14 && end - body >= 12 &&
                   std::memcmp(jpeg.constData() + body, "Adobe", 5) == 0) {
            frame.StoredAsRgb = At(jpeg, body + 11) == 0;
        } else if (IsFrameMarker(s.Marker) && end - body >= 6) {
            frame.Precision = At(jpeg, body);
            frame.Size = QSize(U16(jpeg, body + 3), U16(jpeg, body + 1));
            const int count = At(jpeg, body + 5);
            if (end - body < 6 + 3 * count)
                return ok = false, true;
            for (int c = 0; c < count; ++c) {
                const qsizetype at = body + 6 + 3 * c;
                frame.Components.push_back({At(jpeg, at + 1) >> 4, At(jpeg, at + 1) & 0x0F, 0});
                tables.push_back(At(jpeg, at + 2) & 0x03);
            }
            found = true;
        }
        return false; // tables may follow the frame header
    });
    if (!ok || !found)
        return std::nullopt;
    for (int c = 0; c < frame.Components.size(); ++c) {
        frame.Components[c].DcQuant = dcQuant[tables[c]];
        if (frame.Components[c].H < 1 || frame.Components[c].V < 1)
            return std::nullopt;
    }
    return frame;
}

bool CanMakeDcImage(const JpegFrame& frame) {
    const int n = int(frame.Components.size());
    return frame.Precision == 8 && (n == 1 || n == 3) && !frame.Size.isEmpty() &&
           std::all_of(frame.Components.begin(), frame.Components.end(),
                       [](const JpegFrame::Component& c) { return c.DcQuant > 0; });
}

int CollectDc(short* coeffs, tjregion arrayRegion, tjregion planeRegion, int componentIndex, int,
              tjtransform* transform) {
    auto* planes = static_cast<DcPlanes*>(transform->data);
    if (componentIndex >= planes->Values.size()) {
        planes->Values.resize(componentIndex + 1);
        planes->Blocks.resize(componentIndex + 1);
    }
    const QSize blocks(planeRegion.w / BlockSize, planeRegion.h / BlockSize);
    QVector<qint16>& values = planes->Values[componentIndex];
    if (planes->Blocks[componentIndex] != blocks) {
        planes->Blocks[componentIndex] = blocks;
        values.fill(0, qsizetype(blocks.width()) * blocks.height());
    }
    const int row = arrayRegion.y / BlockSize;
    if (row >= blocks.height())
        return 0; // padding rows below the picture
    const int across = std::min(arrayRegion.w / BlockSize, blocks.width());
    qint16* out = values.data() + qsizetype(row) * blocks.width();
    for (int b = 0; b < across; ++b)
        out[b] = coeffs[qsizetype(b) * CoefficientsPerBlock];
    return 0;
}

QImage DcImage(const JpegFrame& frame, const DcPlanes& planes) {
    const int n = int(frame.Components.size());
    if (!CanMakeDcImage(frame) || planes.Values.size() != n)
        return {};
    const int w = (frame.Size.width() + BlockSize - 1) / BlockSize;
    const int h = (frame.Size.height() + BlockSize - 1) / BlockSize;
    int hMax = 1, vMax = 1;
    for (const JpegFrame::Component& c : frame.Components)
        hMax = std::max(hMax, c.H), vMax = std::max(vMax, c.V);
    for (int c = 0; c < n; ++c) {
        const QSize need((w * frame.Components[c].H + hMax - 1) / hMax,
                         (h * frame.Components[c].V + vMax - 1) / vMax);
        if (planes.Blocks[c].width() < need.width() || planes.Blocks[c].height() < need.height())
            return {};
    }
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    // A block's mean as the 1 x 1 inverse DCT gives it: (DC * quant + 4) / 8 around the centre.
    const auto sample = [&](int c, int x, int y) {
        const JpegFrame::Component& comp = frame.Components[c];
        const int cx = x * comp.H / hMax, cy = y * comp.V / vMax;
        const int dc = planes.Values[c][qsizetype(cy) * planes.Blocks[c].width() + cx];
        return ((dc * comp.DcQuant + 4) >> 3) + Centre;
    };
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = sample(0, x, y);
            if (n == 1) {
                const unsigned char g = Clamp(a);
                row[x] = qRgb(g, g, g);
                continue;
            }
            const int b = sample(1, x, y), c = sample(2, x, y);
            if (frame.StoredAsRgb) {
                row[x] = qRgb(Clamp(a), Clamp(b), Clamp(c));
                continue;
            }
            const double cb = b - Centre, cr = c - Centre;
            row[x] = qRgb(Clamp(int(std::lround(a + 1.402 * cr))),
                          Clamp(int(std::lround(a - 0.344136 * cb - 0.714136 * cr))),
                          Clamp(int(std::lround(a + 1.772 * cb))));
        }
    }
    return image;
}
