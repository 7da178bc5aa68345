#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

// One marker segment before a JPEG's picture data: its marker byte (0xE1 for APP1 ...), where it
// starts (its 0xFF) and its whole length, marker and length field included.
struct JpegSegment {
    unsigned char Marker = 0;
    qsizetype Offset = 0;
    qsizetype Length = 0;
};

// Calls visit for each segment up to the first scan, in file order, until visit returns true.
// A damaged marker chain ends the walk.
void ForEachSegment(const QByteArray& jpeg, const std::function<bool(const JpegSegment&)>& visit);

// Where a JPEG's EXIF block (its APP1 "Exif" segment, marker and length included) lies in the
// file's bytes.
struct ExifSegment {
    qsizetype Offset = 0;
    qsizetype Length = 0;
};

// The first EXIF segment before the picture data, if any. Damaged marker chains give nullopt.
[[nodiscard]] std::optional<ExifSegment> FindExifSegment(const QByteArray& jpeg);

// Sets the orientation tag of the JPEG's EXIF block in place (the block keeps its size).
// Returns false when the bytes hold no orientation tag to change.
bool SetExifOrientation(QByteArray& jpeg, int orientation);

// The JPEG with segment (a whole APP1 segment) placed after its start marker and its JFIF
// header, where readers look for it.
[[nodiscard]] QByteArray InsertSegment(const QByteArray& jpeg, const QByteArray& segment);

// A marker segment: 0xFF, marker, the two-byte length and body (at most 65533 bytes).
[[nodiscard]] QByteArray MakeSegment(unsigned char marker, const QByteArray& body);

// Largest body of a marker segment.
inline constexpr qsizetype MaxSegmentBody = 65533;

// The JPEG encoded from original's pixels with original's metadata put back: every APPn segment
// (EXIF, XMP, ICC profile, IPTC, JFIF ...) and comment of original, in original's order, in
// place of the encoder's own JFIF header. The encoder's Adobe segment says how its colours are
// coded, so it replaces original's. swapsSides: the pixels were turned a quarter, so the JFIF
// pixel densities change places.
[[nodiscard]] QByteArray WithHeaderSegmentsOf(const QByteArray& original, const QByteArray& encoded,
                                              bool swapsSides);
