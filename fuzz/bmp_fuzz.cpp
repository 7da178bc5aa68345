// BMP loading: header size, full and scaled decode.

#include "PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzPicture(QStringLiteral("fuzz.bmp"), data, size);
    return 0;
}
