#pragma once

// One picture input: its header size, then a full decode and a scaled one, as the loader, the
// thumbnails and the album view do. Pictures whose header claims more than a few megapixels are
// read only as far as the header: decoding them would spend the run on memory, not on parsing
// (the size limit itself is checked by the ordinary tests).

#include "FuzzInput.h"
#include "platform/Errors.h"
#include "platform/PictureFormats.h"

#include <QImage>

inline constexpr qint64 FuzzMaxPixels = 4'000'000;

inline void FuzzPicture(const QString& path, const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    QSize header;
    try {
        header = PictureSizeOf(path, bytes);
    } catch (const PictureError&) {
    }
    if (qint64(header.width()) * header.height() > FuzzMaxPixels)
        return;
    // A target of its own for every input, small and odd sized, empty now and then.
    const QSize target(int(size % 97), int(size / 97 % 89));
    try {
        const QImage full = DecodePicture(path, bytes, std::nullopt);
        FuzzCheck(!full.isNull(), "a decoded picture has pixels");
        FuzzCheck(header.isValid() && full.size() == header, "the header size is the decoded size");
    } catch (const PictureError&) {
    }
    try {
        const QImage scaled = DecodePicture(path, bytes, target);
        FuzzCheck(target.isEmpty() || scaled.size() == target, "a scaled picture has its size");
    } catch (const PictureError&) {
    }
}
