#pragma once

// Shared by the fuzz targets: the input as bytes, and a check that stops the run with a message
// when a reader breaks one of its promises (libFuzzer keeps the input that did it).

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline QByteArray FuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline void FuzzCheck(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}
