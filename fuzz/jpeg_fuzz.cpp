// JPEG loading: header size, EXIF orientation, full and scaled decode.

#include "PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzPicture(QStringLiteral("fuzz.jpg"), data, size);
    return 0;
}
