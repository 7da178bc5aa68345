#pragma once

#include "platform/Errors.h"

#include <QString>

// A wallpaper as the desktop is asked to show it.
struct DesktopWallpaper {
    QString Path;
    bool Tile = false;    // repeated over the desktop
    bool Stretch = false; // stretched over the whole desktop; neither: centred
};

// The desktop could not be given the wallpaper. The message says why.
class WallpaperError : public KrelError {
public:
    using KrelError::KrelError;
};

// The desktops whose wallpaper the program knows how to set.
enum class DesktopKind { Plasma, Gnome, Cinnamon, Mate, Other };

// The desktop an XDG_CURRENT_DESKTOP value names (a list separated by ":", such as
// "ubuntu:GNOME"); GNOME's relatives that keep GNOME's background settings (Unity, Budgie,
// Pantheon) count as GNOME.
[[nodiscard]] DesktopKind DesktopKindOf(const QString& currentDesktop);

// Sets the wallpaper of the running desktop (XDG_CURRENT_DESKTOP): Plasma through its scripting
// interface on the session bus, GNOME, Cinnamon and MATE through their GSettings background
// schemas. Throws WallpaperError when the desktop is another one or does not take it.
void ApplyDesktopWallpaper(const DesktopWallpaper& wallpaper);

// The two ways used above, for a known desktop.
// GSettings: throws when the desktop's background schema is not installed.
void ApplyWallpaperWithGSettings(const DesktopWallpaper& wallpaper, DesktopKind kind);
// Plasma: evaluates a script in plasmashell on the bus at busAddress (the session bus when
// empty) that shows the picture on every desktop. Throws when Plasma does not answer.
void ApplyWallpaperWithPlasma(const DesktopWallpaper& wallpaper, const QString& busAddress = {});
// The script given to Plasma.
[[nodiscard]] QString PlasmaWallpaperScript(const DesktopWallpaper& wallpaper);
