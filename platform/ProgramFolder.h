#pragma once

#include <QString>

// The folder that holds the running executable, ending in "/".
[[nodiscard]] QString GetPath();

// Turns a program-relative path as the data files write it ("\WavRes\1.wav",
// "GraphicRes\Main\Main.ini", "Themes\Classic\Cover.jpg") into a real path under folder
// (which ends in "/"). Backslashes become "/" and doubled separators fold into one.
[[nodiscard]] QString ResourcePath(const QString& folder, const QString& relative);

// True when path, with its "." and ".." steps taken, lies below folder.
[[nodiscard]] bool IsBelowFolder(const QString& folder, const QString& path);

// The file under folder that a program-relative path of a data file names (ResourcePath), or an
// empty text when the path leads out of folder. Theme pictures are found this way everywhere, so
// a theme the wizard accepts is one whose albums open again.
[[nodiscard]] QString ProgramFile(const QString& folder, const QString& relative);
