#pragma once

#include "album/Album.h"
#include "platform/TextLines.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The album file (".kpa"): lines ending in CR LF, no picture data.
//   1 header, 2 notice, 3 Name, 4 ThemeName, 5-8 Cover/Left/Right/BackPath (short fields, cut to
//   ShortFieldMax), 9 Orientation, 10 entry count, 11 IndexPages, then per entry its FileName (a
//   picture path of any length, never cut) and its Note. Paths are file names and keep their
//   bytes; a name or note read from the file is written back with its bytes while it is
//   unchanged, new text as UTF-8.
inline constexpr char AlbumFileHeader[] = "The Krel 1.0 - Digital Photo Album";
inline constexpr char AlbumFileNotice[] =
    "Album file of The Krel - Digital album; pictures stay where they are";
inline constexpr char AlbumFileExtension[] = ".kpa";
inline constexpr char AlbumFileFilter[] = "Krel Photo Album|*.kpa";

struct AlbumFileEntry {
    QString FileName; // its bytes kept (platform/FileNames.h)
    QString Note;
    QByteArray NoteAsRead;
};

struct AlbumFileNumbers {
    int Orientation = 0;
    int Count = 0;
    int IndexPages = 0;
};

// Reads an album file in the order the loader needs it: the header and theme lines first (so the
// theme can be checked before the rest is read), then the numbers, then the entries. Every error
// is an IoError whose message names the file and what is wrong with it.
class AlbumFileReader {
public:
    // Throws IoError when the file cannot be read.
    explicit AlbumFileReader(const QString& path);
    AlbumFileReader(const QString& path, const QByteArray& bytes);

    // Lines 1 to 8 into Name, ThemeName and the four theme paths (cut to 255 characters).
    void ReadHeader(TAlbum& album);
    // Lines 9 to 11. Refuses a layout other than 1 or 2 and a count that is negative or no number.
    AlbumFileNumbers ReadNumbers();
    // Up to count entries, stopping at the end of the file, whatever the count line claimed.
    QVector<AlbumFileEntry> ReadEntries(int count);

private:
    int ReadNumberLine(int line, const char* what);
    QString path_;
    LineReader lines_;
};

// The bytes of an album file for the first Count entries of album.
[[nodiscard]] QByteArray AlbumFileBytes(const TAlbum& album);

// Writes the album file through a temporary file renamed over path, so a failed write leaves the
// old file whole. Throws IoError naming the file.
void WriteAlbumFile(const QString& path, const TAlbum& album);
