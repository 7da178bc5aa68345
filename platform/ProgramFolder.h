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

// The file that a program-relative path of a data file names: the one under the user's data
// folder when that folder is set and holds it (themes a user installs beside a read-only
// installation), else the one under folder (ResourcePath); an empty text when the path leads out
// of both. Theme pictures are found this way everywhere, so a theme the wizard accepts is one
// whose albums open again.
[[nodiscard]] QString ProgramFile(const QString& folder, const QString& relative);

// The user's data folder that ProgramFile looks in first (ends in "/"; empty: none). Set once at
// start, before any window or command runs.
void SetUserDataFolder(const QString& folder);
[[nodiscard]] QString UserDataFolder();
