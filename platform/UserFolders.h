#pragma once

#include <QString>

// The user's configuration folder: $XDG_CONFIG_HOME, or ~/.config.
[[nodiscard]] QString DefaultConfigHome();

// The user's data folder: $XDG_DATA_HOME, or ~/.local/share.
[[nodiscard]] QString DefaultDataHome();

// Whether the program folder is an installed one that the program must not rewrite: a folder
// this user cannot write, or one below /usr (a package's, even when root runs the program).
[[nodiscard]] bool IsInstalledFolder(const QString& programFolder);

// The folder of the files that the program rewrites (Res.ini, Themes.ini and the temporary
// Themes1.ini), ending in "/". A program folder that may be rewritten keeps them itself, as a copy
// run from the build tree does. An installed one has them in configHome/krel-album/, which gets
// the installed Res.ini and Themes.ini on the first start (each when it is missing; the user's
// own files are never replaced). Formats are the same in both places.
[[nodiscard]] QString PrepareSettingsFolder(const QString& programFolder,
                                            const QString& configHome = DefaultConfigHome());
// The same with the folder's kind given.
[[nodiscard]] QString PrepareSettingsFolder(const QString& programFolder, const QString& configHome,
                                            bool installed);

// Where the themes of a user of an installed program folder live: dataHome/krel-album/ (made with
// its Themes/ folder, ending in "/"). A theme there is installed like one in the program folder:
// its Theme.ini names its pictures "\Themes\<name>\...", which are looked for there first. Empty
// for a program folder that may be rewritten: its themes live in it, as in the build tree.
[[nodiscard]] QString PrepareUserDataFolder(const QString& programFolder,
                                            const QString& dataHome = DefaultDataHome());
[[nodiscard]] QString PrepareUserDataFolder(const QString& dataHome, bool installed);
