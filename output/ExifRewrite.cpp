#include "output/ExifRewrite.h"

#include "output/JpegMarkers.h"

#include <QVector>
#include <cstring>
#include <optional>

namespace {

constexpr unsigned char MarkerApp1 = 0xE1;
constexpr char ExifHeader[] = "Exif\0\0";
constexpr int ExifHeaderSize = 6;
constexpr char XmpHeader[] = "http://ns.adobe.com/xap/1.0/"; // followed by a zero byte
constexpr int XmpHeaderSize = sizeof(XmpHeader);             // the zero included
constexpr int IfdEntrySize = 12;

constexpr quint16 TagImageWidth = 0x0100;
constexpr quint16 TagImageLength = 0x0101;
constexpr quint16 TagOrientation = 0x0112;
constexpr quint16 TagPreviewOffset = 0x0201; // JPEGInterchangeFormat
constexpr quint16 TagPreviewLength = 0x0202; // JPEGInterchangeFormatLength
constexpr quint16 TagExifIfd = 0x8769;
constexpr quint16 TagPixelX = 0xA002;
constexpr quint16 TagPixelY = 0xA003;

constexpr quint16 TypeShort = 3;
constexpr quint16 TypeLong = 4;
constexpr quint16 TypeIfd = 13;

// The TIFF structure of an EXIF block, in its own byte order; every access checks its range.
class Tiff {
public:
    explicit Tiff(QByteArray data) : data_(std::move(data)) {
        big_ = data_.startsWith("MM");
        valid_ = data_.size() >= 8 && (big_ || data_.startsWith("II")) && U16(2) == 42;
    }
    [[nodiscard]] bool Valid() const { return valid_; }
    [[nodiscard]] QByteArray& Data() { return data_; }
    [[nodiscard]] qint64 Size() const { return data_.size(); }
    [[nodiscard]] bool InRange(qint64 at, qint64 n) const {
        return at >= 0 && n >= 0 && at + n <= data_.size();
    }
    [[nodiscard]] quint32 U16(qint64 at) const {
        if (!InRange(at, 2))
            return 0;
        const quint32 a = Byte(at), b = Byte(at + 1);
        return big_ ? (a << 8 | b) : (b << 8 | a);
    }
    [[nodiscard]] quint32 U32(qint64 at) const {
        const quint32 a = U16(at), b = U16(at + 2);
        return big_ ? (a << 16 | b) : (b << 16 | a);
    }
    void SetU16(qint64 at, quint32 v) {
        if (!InRange(at, 2))
            return;
        data_[at] = char(big_ ? v >> 8 : v);
        data_[at + 1] = char(big_ ? v : v >> 8);
    }
    void SetU32(qint64 at, quint32 v) {
        if (!InRange(at, 4))
            return;
        SetU16(big_ ? at : at + 2, v >> 16);
        SetU16(big_ ? at + 2 : at, v & 0xFFFF);
    }

private:
    [[nodiscard]] quint32 Byte(qint64 at) const { return static_cast<unsigned char>(data_[at]); }
    QByteArray data_;
    bool big_ = false;
    bool valid_ = false;
};

struct Entry {
    qint64 At = 0; // where the 12-byte entry starts
    quint16 Tag = 0;
    quint16 Type = 0;
    quint32 Count = 0;
};

// The entries of the directory at ifd; none when it lies outside the data.
QVector<Entry> Entries(const Tiff& tiff, qint64 ifd) {
    if (ifd <= 0 || !tiff.InRange(ifd, 2))
        return {};
    const int count = int(tiff.U16(ifd));
    if (!tiff.InRange(ifd + 2, qint64(count) * IfdEntrySize))
        return {};
    QVector<Entry> entries;
    for (int i = 0; i < count; ++i) {
        const qint64 at = ifd + 2 + qint64(i) * IfdEntrySize;
        entries.push_back({at, quint16(tiff.U16(at)), quint16(tiff.U16(at + 2)), tiff.U32(at + 4)});
    }
    return entries;
}

// Where the offset of the directory after ifd (a four-byte value) is kept.
qint64 NextIfdAt(qint64 ifd, const QVector<Entry>& entries) {
    return ifd + 2 + qint64(entries.size()) * IfdEntrySize;
}

// A single SHORT or LONG value held in the entry itself.
std::optional<quint32> NumberOf(const Tiff& tiff, const Entry& e) {
    if (e.Count != 1)
        return std::nullopt;
    if (e.Type == TypeShort)
        return tiff.U16(e.At + 8);
    if (e.Type == TypeLong || e.Type == TypeIfd)
        return tiff.U32(e.At + 8);
    return std::nullopt;
}

void SetNumber(Tiff& tiff, const Entry& e, quint32 value) {
    if (e.Count != 1)
        return;
    if (e.Type == TypeShort && value <= 0xFFFF)
        tiff.SetU16(e.At + 8, value);
    else if (e.Type == TypeLong)
        tiff.SetU32(e.At + 8, value);
}

const Entry* Find(const QVector<Entry>& entries, quint16 tag) {
    for (const Entry& e : entries)
        if (e.Tag == tag)
            return &e;
    return nullptr;
}

void DescribePixels(Tiff& tiff, const QVector<Entry>& entries, QSize size) {
    for (const Entry& e : entries) {
        if (e.Tag == TagOrientation)
            SetNumber(tiff, e, 1);
        else if (e.Tag == TagImageWidth || e.Tag == TagPixelX)
            SetNumber(tiff, e, quint32(size.width()));
        else if (e.Tag == TagImageLength || e.Tag == TagPixelY)
            SetNumber(tiff, e, quint32(size.height()));
    }
}

// Turns the preview of the directory after IFD0; a preview that cannot be turned is unlinked.
void TurnPreview(Tiff& tiff, qint64 nextAt, const PreviewTurner& turn) {
    const qint64 ifd1 = tiff.InRange(nextAt, 4) ? tiff.U32(nextAt) : 0;
    const QVector<Entry> entries = Entries(tiff, ifd1);
    const Entry* offsetEntry = Find(entries, TagPreviewOffset);
    const Entry* lengthEntry = Find(entries, TagPreviewLength);
    if (offsetEntry == nullptr || lengthEntry == nullptr)
        return;
    const std::optional<quint32> offset = NumberOf(tiff, *offsetEntry);
    const std::optional<quint32> length = NumberOf(tiff, *lengthEntry);
    if (!offset || !length || *length == 0 || !tiff.InRange(*offset, *length))
        return;
    if (const Entry* orientation = Find(entries, TagOrientation))
        SetNumber(tiff, *orientation, 1);
    const QByteArray preview = tiff.Data().mid(*offset, *length);
    // The preview is mostly the last thing of the block; then the new one takes its place.
    const bool last = qint64(*offset) + *length == tiff.Size();
    qint64 base = last ? qint64(*offset) : tiff.Size();
    base += base & 1; // TIFF values start on a word boundary
    const qint64 room = MaxSegmentBody - ExifHeaderSize - base;
    const QByteArray turned = room > 0 && turn ? turn(preview, room) : QByteArray();
    QByteArray& data = tiff.Data();
    if (turned.isEmpty() || turned.size() > room) {
        tiff.SetU32(nextAt, 0);
        if (last)
            data.truncate(*offset);
        return;
    }
    if (data.size() > base)
        data.truncate(base);
    else
        data.append(QByteArray(base - data.size(), '\0'));
    data.append(turned);
    SetNumber(tiff, *offsetEntry, quint32(base));
    SetNumber(tiff, *lengthEntry, quint32(turned.size()));
}

QByteArray Replace(const QByteArray& jpeg, const JpegSegment& s, const QByteArray& segment) {
    return jpeg.left(s.Offset) + segment + jpeg.mid(s.Offset + s.Length);
}

QByteArray RewriteExif(const QByteArray& jpeg, QSize size, const PreviewTurner& turn) {
    const std::optional<ExifSegment> exif = FindExifSegment(jpeg);
    if (!exif)
        return jpeg;
    const qsizetype tiffAt = exif->Offset + 4 + ExifHeaderSize;
    Tiff tiff(jpeg.mid(tiffAt, exif->Offset + exif->Length - tiffAt));
    if (!tiff.Valid())
        return jpeg;
    const qint64 ifd0 = tiff.U32(4);
    const QVector<Entry> entries = Entries(tiff, ifd0);
    if (entries.isEmpty())
        return jpeg;
    DescribePixels(tiff, entries, size);
    if (const Entry* sub = Find(entries, TagExifIfd))
        if (const std::optional<quint32> at = NumberOf(tiff, *sub); at && qint64(*at) != ifd0)
            DescribePixels(tiff, Entries(tiff, *at), size);
    TurnPreview(tiff, NextIfdAt(ifd0, entries), turn);
    const QByteArray body = QByteArray(ExifHeader, ExifHeaderSize) + tiff.Data();
    return Replace(jpeg, {MarkerApp1, exif->Offset, exif->Length}, MakeSegment(MarkerApp1, body));
}

// Sets every number XMP gives for name, as an attribute (name="6") or an element
// (<name>6</name>).
void SetXmpNumber(QByteArray& xmp, const QByteArray& name, quint32 value) {
    const QByteArray text = QByteArray::number(value);
    for (const auto& [open, close] : {std::pair{name + "=\"", '"'}, std::pair{name + "='", '\''},
                                      std::pair{"<" + name + ">", '<'}}) {
        for (qsizetype at = xmp.indexOf(open); at >= 0; at = xmp.indexOf(open, at + 1)) {
            const qsizetype start = at + open.size();
            qsizetype end = start;
            while (end < xmp.size() && xmp[end] >= '0' && xmp[end] <= '9')
                ++end;
            if (end > start && end < xmp.size() && xmp[end] == close)
                xmp.replace(start, end - start, text);
        }
    }
}

QByteArray RewriteXmp(QByteArray jpeg, QSize size) {
    QVector<JpegSegment> packets;
    ForEachSegment(jpeg, [&](const JpegSegment& s) {
        if (s.Marker == MarkerApp1 && s.Length >= 4 + XmpHeaderSize &&
            std::memcmp(jpeg.constData() + s.Offset + 4, XmpHeader, XmpHeaderSize) == 0)
            packets.push_back(s);
        return false;
    });
    // From the last, so the places of the others stay as found.
    for (auto it = packets.crbegin(); it != packets.crend(); ++it) {
        QByteArray body = jpeg.mid(it->Offset + 4, it->Length - 4);
        const QByteArray before = body;
        SetXmpNumber(body, "tiff:Orientation", 1);
        SetXmpNumber(body, "tiff:ImageWidth", quint32(size.width()));
        SetXmpNumber(body, "tiff:ImageLength", quint32(size.height()));
        SetXmpNumber(body, "exif:PixelXDimension", quint32(size.width()));
        SetXmpNumber(body, "exif:PixelYDimension", quint32(size.height()));
        if (body != before && body.size() <= MaxSegmentBody)
            jpeg = Replace(jpeg, *it, MakeSegment(MarkerApp1, body));
    }
    return jpeg;
}

} // namespace

QByteArray DescribeTurnedPixels(const QByteArray& jpeg, QSize size,
                                const PreviewTurner& turnPreview) {
    return RewriteXmp(RewriteExif(jpeg, size, turnPreview), size);
}
