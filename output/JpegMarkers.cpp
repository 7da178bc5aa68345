#include "output/JpegMarkers.h"

#include <cstring>

namespace {

constexpr unsigned char MarkerSoi = 0xD8;
constexpr unsigned char MarkerEoi = 0xD9;
constexpr unsigned char MarkerSos = 0xDA;
constexpr unsigned char MarkerApp0 = 0xE0;
constexpr unsigned char MarkerApp1 = 0xE1;
constexpr unsigned char MarkerApp14 = 0xEE;
constexpr unsigned char MarkerApp15 = 0xEF;
constexpr unsigned char MarkerCom = 0xFE;
constexpr unsigned char MarkerTem = 0x01;
constexpr unsigned char MarkerRst0 = 0xD0;
constexpr unsigned char MarkerRst7 = 0xD7;
constexpr char ExifHeader[] = "Exif\0\0"; // six bytes with the two zeros
constexpr int ExifHeaderSize = 6;
constexpr quint16 TagOrientation = 0x0112;
constexpr quint16 TypeShort = 3;
constexpr int IfdEntrySize = 12;

unsigned char ByteAt(const QByteArray& b, qsizetype i) {
    return static_cast<unsigned char>(b[i]);
}

// Walks the segments before the picture data, calling visit for each; visit returns true to stop.
template <typename Visit> void WalkSegments(const QByteArray& jpeg, Visit visit) {
    if (jpeg.size() < 4 || ByteAt(jpeg, 0) != 0xFF || ByteAt(jpeg, 1) != MarkerSoi)
        return;
    qsizetype pos = 2;
    while (pos + 1 < jpeg.size()) {
        if (ByteAt(jpeg, pos) != 0xFF)
            return; // not a marker: damaged chain
        qsizetype m = pos + 1;
        while (m < jpeg.size() && ByteAt(jpeg, m) == 0xFF)
            ++m; // fill bytes
        if (m >= jpeg.size())
            return;
        const unsigned char marker = ByteAt(jpeg, m);
        if (marker == MarkerSos || marker == MarkerEoi)
            return;
        if (marker == MarkerTem || (marker >= MarkerRst0 && marker <= MarkerRst7)) {
            pos = m + 1;
            continue;
        }
        if (m + 2 >= jpeg.size())
            return;
        const qsizetype length = (ByteAt(jpeg, m + 1) << 8) | ByteAt(jpeg, m + 2);
        if (length < 2 || m + 1 + length > jpeg.size())
            return;
        const JpegSegment segment{marker, m - 1, m + 1 + length - (m - 1)};
        if (visit(segment))
            return;
        pos = m + 1 + length;
    }
}

// Reads the TIFF structure inside an EXIF segment with its own byte order.
class TiffView {
public:
    TiffView(const char* data, qsizetype size) : data_(data), size_(size) {}

    [[nodiscard]] bool Valid() const {
        if (size_ < 8)
            return false;
        if (std::memcmp(data_, "II", 2) != 0 && std::memcmp(data_, "MM", 2) != 0)
            return false;
        return U16(2) == 42;
    }
    [[nodiscard]] bool InRange(qsizetype at, qsizetype n) const {
        return at >= 0 && n >= 0 && at + n <= size_;
    }
    [[nodiscard]] quint16 U16(qsizetype at) const {
        const auto* p = reinterpret_cast<const unsigned char*>(data_ + at);
        return LittleEndian() ? quint16(p[0] | p[1] << 8) : quint16(p[0] << 8 | p[1]);
    }
    [[nodiscard]] quint32 U32(qsizetype at) const {
        const auto* p = reinterpret_cast<const unsigned char*>(data_ + at);
        return LittleEndian()
                   ? quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24
                   : quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
    }
    [[nodiscard]] bool LittleEndian() const { return data_[0] == 'I'; }

    // Offset (within the TIFF data) of the orientation value in the first IFD, or -1.
    [[nodiscard]] qsizetype OrientationValueAt() const {
        if (!Valid())
            return -1;
        const qsizetype ifd = U32(4);
        if (!InRange(ifd, 2))
            return -1;
        const int count = U16(ifd);
        for (int i = 0; i < count; ++i) {
            const qsizetype entry = ifd + 2 + qsizetype(i) * IfdEntrySize;
            if (!InRange(entry, IfdEntrySize))
                return -1;
            if (U16(entry) == TagOrientation && U16(entry + 2) == TypeShort && U32(entry + 4) == 1)
                return entry + 8;
        }
        return -1;
    }

private:
    const char* data_;
    qsizetype size_;
};

// Offset in jpeg of the orientation value (two bytes) and whether it is little-endian, or -1.
qsizetype OrientationOffset(const QByteArray& jpeg, bool* littleEndian) {
    const std::optional<ExifSegment> exif = FindExifSegment(jpeg);
    if (!exif)
        return -1;
    const qsizetype tiff = exif->Offset + 4 + ExifHeaderSize;
    const TiffView view(jpeg.constData() + tiff, exif->Offset + exif->Length - tiff);
    const qsizetype at = view.OrientationValueAt();
    if (at < 0)
        return -1;
    *littleEndian = view.LittleEndian();
    return tiff + at;
}

} // namespace

void ForEachSegment(const QByteArray& jpeg, const std::function<bool(const JpegSegment&)>& visit) {
    WalkSegments(jpeg, visit);
}

std::optional<ExifSegment> FindExifSegment(const QByteArray& jpeg) {
    std::optional<ExifSegment> found;
    WalkSegments(jpeg, [&](const JpegSegment& s) {
        const qsizetype body = s.Offset + 4;
        if (s.Marker == MarkerApp1 && s.Length >= 4 + ExifHeaderSize &&
            std::memcmp(jpeg.constData() + body, ExifHeader, ExifHeaderSize) == 0) {
            found = ExifSegment{s.Offset, s.Length};
            return true;
        }
        return false;
    });
    return found;
}

bool SetExifOrientation(QByteArray& jpeg, int orientation) {
    bool little = false;
    const qsizetype at = OrientationOffset(jpeg, &little);
    if (at < 0)
        return false;
    jpeg[at] = char(little ? orientation & 0xFF : (orientation >> 8) & 0xFF);
    jpeg[at + 1] = char(little ? (orientation >> 8) & 0xFF : orientation & 0xFF);
    return true;
}

QByteArray InsertSegment(const QByteArray& jpeg, const QByteArray& segment) {
    qsizetype at = 2; // after the start marker
    WalkSegments(jpeg, [&](const JpegSegment& s) {
        if (s.Offset == at && s.Marker == MarkerApp0)
            at = s.Offset + s.Length;
        return true;
    });
    if (jpeg.size() < at)
        return jpeg;
    QByteArray out;
    out.reserve(jpeg.size() + segment.size());
    out.append(jpeg.constData(), at)
        .append(segment)
        .append(jpeg.constData() + at, jpeg.size() - at);
    return out;
}

QByteArray MakeSegment(unsigned char marker, const QByteArray& body) {
    const qsizetype length = body.size() + 2;
    QByteArray out;
    out.reserve(length + 2);
    out.append(char(0xFF)).append(char(marker));
    out.append(char((length >> 8) & 0xFF)).append(char(length & 0xFF));
    return out.append(body);
}

namespace {

bool BodyStartsWith(const QByteArray& jpeg, const JpegSegment& s, const char* text, int n) {
    return s.Length >= 4 + n && std::memcmp(jpeg.constData() + s.Offset + 4, text, n) == 0;
}

bool IsJfif(const QByteArray& jpeg, const JpegSegment& s) {
    return s.Marker == MarkerApp0 && BodyStartsWith(jpeg, s, "JFIF\0", 5);
}

bool IsAdobe(const QByteArray& jpeg, const JpegSegment& s) {
    return s.Marker == MarkerApp14 && BodyStartsWith(jpeg, s, "Adobe", 5);
}

// A JFIF header with its horizontal and vertical pixel densities exchanged.
QByteArray WithDensitiesSwapped(QByteArray segment) {
    constexpr int XDensity = 4 + 8,
                  YDensity = 4 + 10; // past marker, length, "JFIF\0", version, units
    if (segment.size() >= YDensity + 2) {
        std::swap(segment[XDensity], segment[YDensity]);
        std::swap(segment[XDensity + 1], segment[YDensity + 1]);
    }
    return segment;
}

} // namespace

QByteArray WithHeaderSegmentsOf(const QByteArray& original, const QByteArray& encoded,
                                bool swapsSides) {
    QByteArray kept;
    bool hasJfif = false, hasExif = false;
    WalkSegments(original, [&](const JpegSegment& s) {
        const bool metadata =
            (s.Marker >= MarkerApp0 && s.Marker <= MarkerApp15) || s.Marker == MarkerCom;
        if (!metadata || IsAdobe(original, s))
            return false;
        const QByteArray segment = original.mid(s.Offset, s.Length);
        hasJfif = hasJfif || IsJfif(original, s);
        hasExif = hasExif || (s.Marker == MarkerApp1 &&
                              BodyStartsWith(original, s, ExifHeader, ExifHeaderSize));
        kept += IsJfif(original, s) && swapsSides ? WithDensitiesSwapped(segment) : segment;
        return false;
    });
    // The encoder's JFIF header stays only where original had no header of its own kind
    // (a file with EXIF has none: EXIF takes the place of JFIF).
    qsizetype rest = 2;
    WalkSegments(encoded, [&](const JpegSegment& s) {
        if (s.Offset == rest && IsJfif(encoded, s) && (hasJfif || hasExif))
            rest = s.Offset + s.Length;
        return true;
    });
    if (encoded.size() < rest)
        return encoded;
    return encoded.left(2) + kept + encoded.mid(rest);
}
