#pragma once

// A program folder with a theme of four plain colours and albums of plain-coloured pictures, so
// that every pixel of a rendered page can be told apart.

#include "../support/Fixtures.h"
#include "album/Album.h"
#include "album/Geometry.h"
#include "platform/Progress.h"

#include <QColor>
#include <QImage>
#include <QStringList>

inline const QColor CoverColour(200, 30, 30);
inline const QColor LeftColour(30, 160, 40);
inline const QColor RightColour(40, 60, 190);
inline const QColor BackColour(230, 200, 40);

// The colour of picture i: distinct for the first pictures, none of them a theme colour.
inline QColor PictureColour(int i) {
    return QColor(QColor::fromHsv((i * 47 + 20) % 360, 255, 120 + (i * 13) % 100).rgb());
}

// A plain picture without the fixture's corner mark.
inline QString WritePlainBmp(const QString& path, int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    WriteBytes(path, QByteArray());
    image.save(path, "BMP");
    return path;
}

// Theme pictures of the program folder, not of the page size: they are stretched over the page.
inline void WriteTheme(const TempProgramFolder& folder) {
    WritePlainBmp(folder.File("Themes/Plain/Cover.bmp"), 40, 60, CoverColour);
    WritePlainBmp(folder.File("Themes/Plain/Left.bmp"), 40, 60, LeftColour);
    WritePlainBmp(folder.File("Themes/Plain/Right.bmp"), 40, 60, RightColour);
    WritePlainBmp(folder.File("Themes/Plain/Back.bmp"), 40, 60, BackColour);
}

// An album of count plain pictures (w x h each) in a layout, laid out for the album view's page
// of 333 x 499 as the loader does, with thumbnails of its Rect's size.
inline TAlbum MakeAlbum(const TempProgramFolder& folder, int count, int orientation, int w = 300,
                        int h = 200) {
    TAlbum album;
    album.CoverPath = QStringLiteral("Themes\\Plain\\Cover.bmp");
    album.LeftPath = QStringLiteral("\\Themes\\Plain\\Left.bmp");
    album.RightPath = QStringLiteral("Themes\\Plain\\Right.bmp");
    album.BackPath = QStringLiteral("Themes\\Plain\\Back.bmp");
    album.Orientation = static_cast<quint8>(orientation);
    for (int i = 0; i < count; ++i) {
        TFoto foto;
        foto.FileName = WritePlainBmp(folder.File(QStringLiteral("Pictures/p%1.bmp").arg(i)), w, h,
                                      PictureColour(i));
        album.Fotos.push_back(foto);
    }
    album.Count = count;
    ComputeDerivedNumbers(album);
    CreateFotoRect(album, QSize(333, 499), FotoRectOptions{0, true, false});
    CreateIndexRect(album, QSize(333, 499));
    return album;
}

// Colours compared with a small tolerance (JPEG files, smooth scaling at edges).
inline bool Near(QColor a, QColor b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// A progress window that remembers what was done to it.
class RecordingProgress : public Progress {
public:
    int Min = 0, Max = 0, Pos = 0, Shown = 0, Closed = 0, Steps = 0;
    void SetRange(int minimum, int maximum) override { Min = minimum, Max = maximum; }
    void SetPosition(int position) override { Pos = position; }
    [[nodiscard]] int Position() const override { return Pos; }
    [[nodiscard]] int Maximum() const override { return Max; }
    void Show() override { ++Shown; }
    void Advance(int steps) override { Pos += steps, Steps += steps; }
    void Close() override { ++Closed; }
};
