#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QVector>
#include <optional>
#include <turbojpeg.h>

// A picture at one eighth of its size made from the DC coefficient of every 8 x 8 block (each
// block's mean), gathered while TurboJPEG moves the coefficients of a lossless transform. It is
// what a decoder's 1/8 scale gives, for the cost of no decoding at all.

// The frame header of a JPEG: what the DC picture needs to know.
struct JpegFrame {
    struct Component {
        int H = 1, V = 1; // sampling factors
        int DcQuant = 0;  // first value of its quantization table
    };
    int Precision = 0;
    QSize Size;
    QVector<Component> Components;
    bool StoredAsRgb = false; // an Adobe marker says the three components are R, G and B
};

// The frame header, or nullopt when the bytes hold none that can be read.
[[nodiscard]] std::optional<JpegFrame> ReadJpegFrame(const QByteArray& jpeg);

// True for 8-bit grey or three-component pictures, the kinds a DC picture can be made of.
[[nodiscard]] bool CanMakeDcImage(const JpegFrame& frame);

// The DC coefficients of each component, block row by block row.
struct DcPlanes {
    QVector<QVector<qint16>> Values; // by component, row-major blocks
    QVector<QSize> Blocks;           // blocks across and down, by component
};

// TurboJPEG custom filter: copies the DC coefficients of one row of blocks into the DcPlanes that
// transform->data points at. Leaves the coefficients as they are.
int CollectDc(short* coeffs, tjregion arrayRegion, tjregion planeRegion, int componentIndex,
              int transformIndex, tjtransform* transform);

// The 1/8 picture (ceil(width / 8) x ceil(height / 8)) of a frame whose DC planes were collected,
// or a null image when they do not match the frame.
[[nodiscard]] QImage DcImage(const JpegFrame& frame, const DcPlanes& planes);
