#pragma once

#include "platform/DesktopWallpaper.h"

#include <QString>
#include <functional>

// Makes the desktop show a wallpaper; throws WallpaperError when it cannot.
using WallpaperApplier = std::function<void(const DesktopWallpaper&)>;

// The desktop's wallpaper settings: three values ("Wallpaper", "TileWallpaper",
// "WallpaperStyle") kept in a small key file. Every read opens the file; a change rewrites it
// through a temporary file once the desktop has taken the wallpaper.
class TWallPaper {
public:
    TWallPaper(QString keyFile, WallpaperApplier apply);

    // "Wallpaper"; empty when none was set.
    [[nodiscard]] QString Wallpaper() const;
    // "TileWallpaper" as a decimal number, 0 = false; missing reads as false. Throws
    // ConversionError for text that is no number.
    [[nodiscard]] bool Tile() const;
    // True when "WallpaperStyle" is the number 2; missing or other text reads as false.
    [[nodiscard]] bool Stretch() const;

    // Has the desktop show wallpaper, then stores its three values ("1"/"0", "2"/"0"). When the
    // desktop does not take it, the error goes on and the values stay as they were.
    void Set(const DesktopWallpaper& wallpaper);

private:
    [[nodiscard]] QString Value(const QString& key) const;

    QString keyFile_;
    WallpaperApplier apply_;
};

// The key file in the user's configuration folder.
[[nodiscard]] QString DefaultWallpaperKeyFile();
// The folder of the user's data where the wallpaper's copy is kept.
[[nodiscard]] QString DefaultWallpaperFolder();

// True when the picture's extension is exactly ".bmp" or ".BMP", the only wallpaper files taken.
[[nodiscard]] bool IsWallpaperBitmap(const QString& path);

// The message of a wallpaper command on a picture that is no bitmap.
inline const QString NotBitmapMessage = QStringLiteral("This is file not bitmap");

// The two commands of the "Wallpaper" menu.
enum class WallpaperCommand { Tiled, Stretch };

// Makes picture the wallpaper with exactly the command's style ("Tiled" tiles and does not
// stretch, "Stretch" the reverse). The desktop shows a copy kept in folder, so the album's file
// may move or change; the copy of an earlier wallpaper is removed once the new one is shown.
// Returns false, changing nothing, for a picture that is no bitmap. Throws PictureError for a
// bitmap that cannot be read, IoError when the copy cannot be written and WallpaperError when
// the desktop does not take it; nothing is changed then either.
bool MakeWallpaper(TWallPaper& wallpaper, const QString& picture, WallpaperCommand command,
                   const QString& folder);
