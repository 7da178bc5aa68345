#pragma once

#include <QString>
#include <functional>

// The desktop's wallpaper values as the desktop settings keep them.
struct DesktopWallpaper {
    QString Path;
    bool Tile = false;    // TileWallpaper "1"
    bool Stretch = false; // WallpaperStyle "2"
};

// Makes the desktop show a wallpaper.
using WallpaperApplier = std::function<void(const DesktopWallpaper&)>;

// The desktop's wallpaper settings: three values ("Wallpaper", "TileWallpaper",
// "WallpaperStyle") kept in a small key file, applied to the desktop after each write. Every
// read and write opens the file; a write rewrites it through a temporary file.
class TWallPaper {
public:
    TWallPaper(QString keyFile, WallpaperApplier apply);

    // "Wallpaper"; empty when none was set.
    [[nodiscard]] QString Wallpaper() const;
    // Stores path and applies it with the current style.
    void SetWallpaper(const QString& path);

    // "TileWallpaper" as a decimal number, 0 = false; missing reads as false. Throws
    // ConversionError for text that is no number.
    [[nodiscard]] bool Tile() const;
    // Writes "1" or "0", then applies the current wallpaper again so the style shows at once.
    void SetTile(bool tile);

    // True when "WallpaperStyle" is the number 2; missing or other text reads as false.
    [[nodiscard]] bool Stretch() const;
    // Writes "2" or "0", then applies the current wallpaper again.
    void SetStretch(bool stretch);

private:
    [[nodiscard]] QString Value(const QString& key) const;
    void SetValue(const QString& key, const QString& value);
    void Apply(const QString& path) const;

    QString keyFile_;
    WallpaperApplier apply_;
};

// The key file in the user's configuration folder.
[[nodiscard]] QString DefaultWallpaperKeyFile();

// Applies a wallpaper through GSettings (org.gnome.desktop.background) when that schema is
// installed; otherwise does nothing. An empty path changes only the style.
void ApplyWallpaperWithGSettings(const DesktopWallpaper& wallpaper);

// True when the picture's extension is exactly ".bmp" or ".BMP", the only wallpaper files taken.
[[nodiscard]] bool IsWallpaperBitmap(const QString& path);

// The message of a wallpaper command on a picture that is no bitmap.
inline const QString NotBitmapMessage = QStringLiteral("This is file not bitmap");

// The two commands of the "Wallpaper" menu.
enum class WallpaperCommand { Tiled, Stretch };

// "Tiled" sets Tile, "Stretch" sets Stretch (the current wallpaper is applied again either way),
// then picture becomes the wallpaper when it is a bitmap. Returns false for any other picture,
// whose style change stays.
bool MakeWallpaper(TWallPaper& wallpaper, const QString& picture, WallpaperCommand command);
