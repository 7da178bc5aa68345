#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// The album view without a window, for scripts and tests:
//
//   krel-album --render SPREAD --screen WxH [--scale F] --out FILE.png ALBUM.kpa
//
// loads the album as if the screen were W x H (logical pixels) at pixel ratio F (1 unless given,
// from 1 to 4) and writes what the album view would show of spread SPREAD (black, both pages at
// their places, no buttons) as a PNG of the screen's device pixels, W x H times F. Messages go to
// standard error; any failure exits with 1.

struct RenderRequest {
    int Spread = 0;
    QSize Screen;
    QString Out;
    QString Album;
    double Scale = 1.0;
};

// Whether the arguments (without the program name) ask for a rendered view.
[[nodiscard]] bool IsRenderCommand(const QStringList& arguments);

// Parses the arguments (without the program name); throws KrelError with a usage message.
[[nodiscard]] RenderRequest ParseRenderCommand(const QStringList& arguments);

// Loads request.Album with the program folder's themes and writes the view of the spread.
// Every message a box would show is printed to standard error. Throws KrelError when the album
// cannot be shown, the spread is not in it, or the picture cannot be written.
void RenderAlbumView(const RenderRequest& request, const QString& programFolder);

// Runs the command of argv with its own application object; the exit code.
[[nodiscard]] int RunRenderCommand(int argc, char** argv);
