#pragma once

// The settings file Res.ini of the program folder. It has no sections or keys: line 1 is the theme
// count, line 2 the slideshow direction, line 3 the slideshow interval, and every line after the
// first line that is exactly "-" is one output picture size. Nothing is cached: every reader opens
// the file, every writer reads all of it, changes its own lines and writes it back atomically.
// Missing files raise IoError, numbers that are not numbers ConversionError.

#include <QByteArrayList>
#include <QString>
#include <QStringList>

inline constexpr int PixelsPerCentimetre = 118; // at 300 dots per inch
inline constexpr int PictureSizeMin = 100;
inline constexpr int PictureSizeMax = 10000;
inline const QString SizeSeparator = QStringLiteral("-");

[[nodiscard]] QString SettingsPath(const QString& programFolder);

// Line 1 as a decimal integer.
[[nodiscard]] int ReadThemeCount(const QString& programFolder);

// The slideshow settings as the preferences window shows them: the interval is the raw text.
struct SlideSettingsText {
    bool Forward = true;
    QString Interval;
};
[[nodiscard]] SlideSettingsText ReadSlideSettingsText(const QString& programFolder);

// The two readers above over a Res.ini already open (or in memory: LineReader::FromBytes).
class LineReader;
[[nodiscard]] int ThemeCountOf(LineReader& settings);
[[nodiscard]] SlideSettingsText SlideSettingsTextOf(LineReader& settings);

// The slideshow settings as the slideshow uses them; a line 3 that is no integer throws.
struct SlideSettings {
    bool Forward = true;
    int IntervalSeconds = 0;
};
[[nodiscard]] SlideSettings ReadSlideSettings(const QString& programFolder);

// Only a line of exactly "0" means forward; anything else (blank, "00", " 0") is backward.
[[nodiscard]] bool IsForwardDirection(const QString& line);

// Every line after the first "-" line, in file order, an empty line too. No separator: none.
[[nodiscard]] QStringList PictureSizesOf(const QByteArrayList& lines);
[[nodiscard]] QStringList ReadPictureSizes(const QString& programFolder);

// "WxH - (W div 118)x(H div 118)", e.g. 1205, 1795 gives "1205x1795 - 10x15".
[[nodiscard]] QString FormatPictureSize(int width, int height);

// Width from the text before the first "x", height from the text between it and the next blank
// (the end of the entry when there is no blank). Throws ConversionError when either is no number.
struct PictureSize {
    int Width = 0;
    int Height = 0;
};
[[nodiscard]] PictureSize ParsePictureSize(const QString& entry);

// The default size list of the preferences window.
[[nodiscard]] QStringList DefaultPictureSizes();
inline const QString DefaultSlideInterval = QStringLiteral("5");

// Rewrites of the file's lines; the writers below apply them to the file. Every line they do not
// own keeps its bytes.
// Line 1 raised by delta; throws ConversionError when line 1 is no integer.
[[nodiscard]] QByteArrayList WithThemeCountChanged(QByteArrayList lines, int delta);
// Lines 2 and 3 replaced, every other line kept; a shorter file gets the lines it lacks.
[[nodiscard]] QByteArrayList WithSlideSettings(QByteArrayList lines, bool forward,
                                               const QString& interval);
// Lines up to the separator kept, the sizes after it; without a separator the lines unchanged.
[[nodiscard]] QByteArrayList WithPictureSizes(const QByteArrayList& lines,
                                              const QStringList& sizes);

void ChangeThemeCount(const QString& programFolder, int delta);
// Refuses an interval holding a line break (KrelError): it would become lines of its own.
void WriteSlideSettings(const QString& programFolder, bool forward, const QString& interval);
// Refuses an empty list and an entry holding a line break (KrelError), leaving the file as it was.
void WritePictureSizes(const QString& programFolder, const QStringList& sizes);
