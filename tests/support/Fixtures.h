#pragma once

#include <QByteArrayList>
#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

// A picture of exactly w x h, filled with colour, with a distinct mark in its top-left corner.
[[nodiscard]] QImage MakeImage(int w, int h, QColor colour = QColor(90, 140, 200));

// Writes a JPEG or BMP test picture (by extension) of exactly w x h; returns path.
QString WritePicture(const QString& path, int w, int h, QColor colour = QColor(90, 140, 200));

// A grey JPEG of w x h of any size in about w * h / 256 bytes: baseline, one component, and
// Huffman tables of a single code each, so every 8 x 8 block costs two bits. For pictures too
// large to be made by encoding pixels.
[[nodiscard]] QByteArray FlatGreyJpeg(int w, int h);

// Writes bytes to a file as they stand, the file named by the path's bytes
// (platform/FileNames.h); returns path.
QString WriteBytes(const QString& path, const QByteArray& bytes);
// The bytes of a file (empty when it cannot be read).
[[nodiscard]] QByteArray FileBytes(const QString& path);
// The names of a folder's entries as the bytes on disk, sorted.
[[nodiscard]] QByteArrayList FileNameBytesIn(const QString& folder);

// Removes a folder and everything in it by the bytes of the entries' names: Qt cannot remove an
// entry whose name is not UTF-8, so a temporary folder holding one would be left behind.
void RemoveTreeByBytes(const QString& folder);

class TempProgramFolder;
// A theme the preferences window can install: the five pictures of Themes/<name>/ (Right, Left,
// Cover, Back, Preview .jpg) and its Theme.ini beside them naming them. Returns the Theme.ini.
QString WriteThemeFolder(const TempProgramFolder& program, const QString& name);

// A temporary program folder ("/" at the end) with the given relative files made on demand.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;
    [[nodiscard]] QString Path() const { return dir_.path() + QLatin1Char('/'); }
    // Path of a file or folder below the program folder; creates the folders on the way.
    QString File(const QString& relative) const;

private:
    QTemporaryDir dir_;
};
