#include "platform/PictureFormats.h"

#include <QTransform>
#include <cstring>

namespace {

constexpr quint16 OrientationTag = 0x0112;
constexpr quint16 TiffShort = 3;

// Bounds-checked reads of a byte range; every read past the end gives nullopt.
class Bytes {
public:
    Bytes(const uchar* data, qsizetype size, bool bigEndian = true)
        : data_(data), size_(size), big_(bigEndian) {}
    [[nodiscard]] qsizetype Size() const { return size_; }
    [[nodiscard]] std::optional<quint32> U8(qsizetype at) const {
        return at >= 0 && at < size_ ? std::optional<quint32>(data_[at]) : std::nullopt;
    }
    [[nodiscard]] std::optional<quint32> U16(qsizetype at) const {
        if (at < 0 || at + 2 > size_)
            return std::nullopt;
        return big_ ? (data_[at] << 8 | data_[at + 1]) : (data_[at + 1] << 8 | data_[at]);
    }
    [[nodiscard]] std::optional<quint32> U32(qsizetype at) const {
        const auto hi = U16(big_ ? at : at + 2);
        const auto lo = U16(big_ ? at + 2 : at);
        if (!hi || !lo)
            return std::nullopt;
        return *hi << 16 | *lo;
    }
    [[nodiscard]] Bytes Sub(qsizetype at, qsizetype size, bool bigEndian) const {
        return {data_ + at, size, bigEndian};
    }
    [[nodiscard]] bool StartsWith(qsizetype at, const char* text, qsizetype n) const {
        return at >= 0 && at + n <= size_ && memcmp(data_ + at, text, n) == 0;
    }

private:
    const uchar* data_;
    qsizetype size_;
    bool big_;
};

// The orientation entry of IFD0 in a TIFF structure (the body of an EXIF APP1 segment).
int OrientationInTiff(const Bytes& segment) {
    bool big = false;
    if (segment.StartsWith(0, "MM", 2))
        big = true;
    else if (!segment.StartsWith(0, "II", 2))
        return 1;
    const Bytes tiff = segment.Sub(0, segment.Size(), big);
    const auto ifd = tiff.U32(4);
    if (tiff.U16(2) != 42u || !ifd)
        return 1;
    const auto entries = tiff.U16(*ifd);
    if (!entries)
        return 1;
    for (quint32 i = 0; i < *entries; ++i) {
        const qsizetype entry = qsizetype(*ifd) + 2 + 12 * qsizetype(i);
        const auto tag = tiff.U16(entry);
        if (!tag)
            return 1;
        if (*tag != OrientationTag)
            continue;
        const auto value = tiff.U16(entry + 8);
        if (tiff.U16(entry + 2) != TiffShort || !value || *value < 1 || *value > 8)
            return 1;
        return static_cast<int>(*value);
    }
    return 1;
}

} // namespace

int ReadExifOrientation(const QByteArray& jpeg) {
    const Bytes file(reinterpret_cast<const uchar*>(jpeg.constData()), jpeg.size());
    if (file.U16(0) != 0xFFD8u)
        return 1;
    qsizetype at = 2;
    // Walk the segments before the picture data; APP1 "Exif" holds the tag.
    while (true) {
        if (file.U8(at) != 0xFFu)
            return 1;
        while (file.U8(at + 1) == 0xFFu) // fill bytes
            ++at;
        const auto marker = file.U8(at + 1);
        if (!marker || *marker == 0xD9 || *marker == 0xDA)
            return 1;
        if ((*marker >= 0xD0 && *marker <= 0xD7) || *marker == 0x01) {
            at += 2;
            continue;
        }
        const auto length = file.U16(at + 2);
        if (!length || *length < 2)
            return 1;
        const qsizetype body = at + 4;
        const qsizetype bodySize = qsizetype(*length) - 2;
        if (body + bodySize > file.Size())
            return 1;
        if (*marker == 0xE1 && bodySize > 6 && file.StartsWith(body, "Exif\0\0", 6))
            return OrientationInTiff(file.Sub(body + 6, bodySize - 6, true));
        at = body + bodySize;
    }
}

QImage ApplyOrientation(const QImage& stored, int orientation) {
    const QTransform quarter = QTransform().rotate(90);
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5: // transpose
        return stored.mirrored(false, true).transformed(quarter);
    case 6:
        return stored.transformed(quarter);
    case 7: // transverse
        return stored.mirrored(true, false).transformed(quarter);
    case 8:
        return stored.transformed(QTransform().rotate(270));
    default:
        return stored;
    }
}
