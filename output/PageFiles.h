#pragma once

#include <QImage>
#include <QString>
#include <QVector>

// Which page of a spread.
enum class PageSide { Left, Right };

// Quality steps of the save window's track bar: position 0 to 10, quality = position x 10.
inline constexpr int QualityPositionMax = 10;

// The JPEG quality written for a track-bar position; the encoder takes 0 as its lowest, 1.
[[nodiscard]] int JpegQualityOf(int position);

// The file a single saved page goes to: the dialog's name when its extension (from the last dot
// of the file name) is exactly ".jpg", ".JPG", ".jpeg" or ".JPEG", otherwise the name with ".jpg"
// appended ("photo" -> "photo.jpg", "photo.png" -> "photo.png.jpg").
[[nodiscard]] QString OnePageFileName(const QString& chosen);

// One file of "All page": the page of a spread and the name it is saved under.
struct PageFile {
    int Spread = 0;
    PageSide Side = PageSide::Left;
    QString Name; // base + spread + "_L" / "_R" + ".jpg", without a folder
};

// Every page of an album in saving order: the front cover as base0_L.jpg, both pages of every
// contents and picture spread, the back cover as base{spreadCount + 1}_R.jpg.
[[nodiscard]] QVector<PageFile> AllPageFiles(const QString& base, int spreadCount);

// Encodes image at the quality of a track-bar position and writes it to path through a
// temporary file, so a failed write leaves an older file whole. Throws PictureError or IoError.
void SaveToJPEG(const QImage& image, const QString& path, int position);
