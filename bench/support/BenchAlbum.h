#pragma once

#include "album/Album.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

// The program folder of the build tree, beside the benchmarks' own folder.
inline QString BenchProgramFolder() {
    return QDir(QCoreApplication::applicationDirPath() + "/../bin").absolutePath() + "/";
}

// A horizontal album of the given pictures in the installed Classic theme, which the headless
// commands look up in the program folder.
template <typename PathOf> TAlbum MakeBenchAlbum(int pictures, PathOf pathOf) {
    const QString themeFolder = QStringLiteral("Themes\\Classic\\");
    TAlbum album;
    album.Name = QStringLiteral("Bench");
    album.ThemeName = QStringLiteral("Classic");
    album.CoverPath = themeFolder + "Cover.jpg";
    album.LeftPath = themeFolder + "Left.jpg";
    album.RightPath = themeFolder + "Right.jpg";
    album.BackPath = themeFolder + "Back.jpg";
    album.Orientation = OrientationHorizontal;
    for (int i = 0; i < pictures; ++i) {
        TFoto foto;
        foto.FileName = pathOf(i);
        album.Fotos.push_back(foto);
    }
    album.Count = pictures;
    ComputeDerivedNumbers(album);
    return album;
}
