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
