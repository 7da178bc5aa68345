#pragma once

#include "platform/Rect.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>
#include <memory>
#include <optional>

class ThumbnailStore;

// One picture entry of the album.
struct TFoto {
    QImage Picture;   // a thumbnail kept with the entry (Rect's device size); null: made on demand
    QString FileName; // absolute path of any length, its bytes kept (platform/FileNames.h)
    TRect Rect;       // the picture fitted into its frame, page-image coordinates
    QString Note;
    QByteArray
        NoteAsRead;    // the note's line in the album file, written back while Note is unchanged
    QSize PictureSize; // upright size of the file, kept so entries can be laid out again
};

// One contents-page entry, parallel to Fotos.
struct TIndexEntry {
    TRect FotoRect; // thumbnail fitted in CellRect minus the label strip
    TRect CellRect; // cell on a contents page image
};

// Picture layouts: 1 = vertical (one upright frame a page), 2 = horizontal (two frames a page).
inline constexpr quint8 OrientationNone = 0;
inline constexpr quint8 OrientationVertical = 1;
inline constexpr quint8 OrientationHorizontal = 2;
inline constexpr int EntriesPerContentsSpread = 40;
inline constexpr int EntriesPerContentsPage = 20;

[[nodiscard]] inline bool IsValidOrientation(int o) {
    return o == OrientationVertical || o == OrientationHorizontal;
}

// The one in-memory album.
struct TAlbum {
    QString Name;
    QString ThemeName;
    QByteArray ThemeNameAsRead; // line 4 of the album file, written back while ThemeName matches
    QString CoverPath;
    QImage Cover;
    QString LeftPath;
    QImage LeftBackground;
    TRect LeftPageRect;
    TRect LeftFrame1;
    TRect LeftFrame2;
    QString RightPath;
    QImage RightBackground;
    TRect RightPageRect;
    TRect RightFrame1;
    TRect RightFrame2;
    QString BackPath;
    QImage BackCover;
    quint8 Orientation = OrientationNone;
    QVector<TFoto> Fotos;
    int Count = 0;
    int IndexPages = 0;
    QVector<TIndexEntry> Index;
    QImage LeftPage;
    QImage RightPage;
    QImage TurnLeft;
    QImage TurnRight;
    QImage SavedLeft;
    QImage SavedRight;
    QImage TurnBuffer;
    TRect TurnProgress;
    int SpreadCount = 0;
    // Device pixels for each logical pixel of the page images, thumbnails and theme bitmaps; every
    // rectangle above stays in logical pixels.
    double PixelRatio = 1.0;
    // Thumbnails made on demand and cached; shared by copies of the album.
    std::shared_ptr<ThumbnailStore> Thumbnails;
};

// The album and the state the program keeps beside it. One lives for the whole run and is handed
// to every window that reads or changes the album.
struct AlbumSession {
    TAlbum Album;
    bool AlbumSaved = false;
    QString PendingResavePath;
    QString SaveDialogFileName; // the save dialog's file name: the last one used
    int PageHeight = 0;
    int PageWidth = 0;
    int CurrentSpread = 0;
    int SelectedFoto = 0;
};

// Contents spreads for count entries: 40 a spread, a partial spread counts.
[[nodiscard]] int CountIndexPages(int count);

// Number of the last picture spread. orientation must be 1 or 2; anything else throws
// std::invalid_argument (it has no layout, and would divide by zero).
[[nodiscard]] int CountSpreadCount(int count, int orientation, int indexPages);

// Sets Index's length to Count, then IndexPages and SpreadCount from Count and Orientation.
void ComputeDerivedNumbers(TAlbum& album);

// What a spread shows.
enum class SpreadKind { FrontCover, Contents, Pictures, BackCover, None };
[[nodiscard]] SpreadKind KindOfSpread(const TAlbum& album, int spread);

// The four frames of a picture spread, in the order entries fill them.
enum class FrameSlot { Left1 = 0, Left2 = 1, Right1 = 2, Right2 = 3 };

// The frame entry i stands in: by i mod 4 in layout 2, by parity in layout 1.
[[nodiscard]] FrameSlot FrameSlotOf(int orientation, int entry);
[[nodiscard]] const TRect& FrameRect(const TAlbum& album, FrameSlot slot);

// The entry that stands in a frame of picture spread `spread`, or nullopt when the frame is empty
// or the spread is no picture spread.
[[nodiscard]] std::optional<int> EntryInFrame(const TAlbum& album, int spread, FrameSlot slot);

// The first entry of a contents spread's left (right = false) or right page.
[[nodiscard]] int FirstContentsEntry(int spread, bool right);

// Empties the album when the view closes: thumbnails freed, no entries, not saved. Theme,
// Orientation, Name, Index, IndexPages and SpreadCount keep their values.
void EmptyAlbum(AlbumSession& session);
