#pragma once

#include "album/Album.h"
#include "output/OutputRenderer.h"
#include "output/PageFiles.h"
#include "platform/Progress.h"

#include <QSize>
#include <QString>

// Largest output bitmap made (the largest size the preferences let one enter, 10000 x 10000);
// beyond it, or for a size without area, the fallback size is used.
inline constexpr qint64 MaxOutputPixels = 100'000'000;
// 20 x 30 cm at 300 dots per inch: the size used when a bitmap of the wanted size cannot be had.
inline constexpr QSize FallbackOutputSize(2362, 3543);

inline const QString SaveFallbackWarning =
    QStringLiteral("The scrath disk are full. New size picture: height = 3543, width := 2362.");

// Whether an output bitmap of size can be made.
[[nodiscard]] bool CanMakeOutputBitmap(QSize size);

// What saving pages needs: the program folder, the album, the output size and the quality.
struct PageSaveSettings {
    QString ProgramFolder;
    const TAlbum* Album = nullptr;
    QSize Size;
    int QualityPosition = QualityPositionMax; // 0 to 10, as the save window's track bar
};

// One page: the layout at the output size, the page of spread `spread` on side (a picture page
// with the note style only, no rules), written as JPEG to path. The progress window runs from 0 to
// 4 and is closed also when the save fails. Throws the failure's error (PictureError, IoError,
// KrelError); pen follows the output bitmap.
void SaveOnePage(const PageSaveSettings& settings, int spread, PageSide side, const QString& path,
                 Progress& progress, OutputPen& pen);

// Every page of the album, front cover to back cover, as the files AllPageFiles(base) in folder,
// picture pages with their rules. Pages are rendered and encoded on worker threads and written in
// order; at the first page that fails, the files before it stay written, no later one is written
// and the error is thrown. The progress window runs from 0 to SpreadCount + 2, one step after the
// layout and one after each spread, and is closed also on failure.
void SaveAllPages(const PageSaveSettings& settings, const QString& folder, const QString& base,
                  Progress& progress, OutputPen& pen);
