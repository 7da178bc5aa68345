#pragma once

// The theme catalogue Themes.ini of the program folder and the theme definitions Theme.ini that
// the user installs from. A theme block is six lines: name, right page, left page, front cover,
// back cover, preview (paths relative to the program folder). The catalogue is the installed
// blocks one after another; its block count is line 1 of Res.ini, and the two change together.

#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <QVector>

inline constexpr int ThemeBlockLines = 6;

// One installed theme. Field order differs from the line order of a block on purpose. The name is
// text; the paths keep the bytes of their lines (platform/FileNames.h).
struct TThemes {
    QString Name;
    QString CoverPath;
    QString LeftPath;
    QString RightPath;
    QString BackPath;
    QString PreviewPath;
    friend bool operator==(const TThemes&, const TThemes&) = default;
};

[[nodiscard]] QString CataloguePath(const QString& programFolder);
[[nodiscard]] QString CatalogueCopyPath(const QString& programFolder); // Themes1.ini

// The block as it stands in the files: name, right, left, cover, back, preview.
[[nodiscard]] QByteArrayList BlockLines(const TThemes& theme);
// The block starting at lines[first]; lines past the end read as empty text.
[[nodiscard]] TThemes ThemeFromLines(const QByteArrayList& lines, qsizetype first);

// The first six lines of a Theme.ini, the name cut to the short-field length. Missing lines are
// empty. Throws IoError when the file cannot be read.
[[nodiscard]] TThemes ReadThemeFile(const QString& path);
class LineReader;
[[nodiscard]] TThemes ThemeFileOf(LineReader& themeFile);

// Exactly count blocks of the catalogue; the missing lines of a cut last block are empty. Throws
// IoError when the catalogue cannot be read, or when count is not the number of blocks it begins
// (a Res.ini out of step with it: a theme would be hidden, or a list would index past the end);
// the message names both files.
[[nodiscard]] QVector<TThemes> ReadCatalogue(const QString& programFolder, int count);
// The same over the catalogue's lines; path names it in the message.
[[nodiscard]] QVector<TThemes> CatalogueOf(const QByteArrayList& lines, int count,
                                           const QString& path);

// The wizard's reading: the theme count from Res.ini, then that many blocks of the catalogue.
[[nodiscard]] QVector<TThemes> ReadInstalledThemes(const QString& programFolder);

// True when no line of the catalogue equals name exactly (every line counts, not only names).
[[nodiscard]] bool Control(const QString& programFolder, const QString& name);

// Why the picture that the program-relative path of a theme line names cannot serve, or an empty
// text: it must be at most ShortFieldMax characters (an album keeps no more), lie below the
// program folder (the album loader looks nowhere else) and exist.
[[nodiscard]] QString ThemePictureProblem(const QString& programFolder, const QString& relative);

// Everything that keeps the Theme.ini at themeFile, with these lines, from being installed, one
// text each: six lines, a name of 1 to 255 characters without control characters, and five
// pictures below the Theme.ini's folder that the program can load. Empty when it can be.
[[nodiscard]] QStringList ThemeFileProblems(const QString& programFolder, const QString& themeFile,
                                            const QByteArrayList& lines);

enum class AddThemeResult { Added, AlreadyExists };
// Appends the block of the Theme.ini at themeFile to the catalogue and raises the theme count,
// unless some catalogue line already equals its name. A Theme.ini with problems is refused with
// one KrelError naming them all, and a catalogue out of step with the count with IoError, before
// anything is written.
// The catalogue and Res.ini lie in settingsFolder; the theme's pictures are checked below
// programFolder (the same folder when it is not given).
AddThemeResult AddTheme(const QString& settingsFolder, const QString& themeFile,
                        const QString& programFolder = {});

struct RemoveThemeResult {
    bool Present = false; // some catalogue line equalled the name
    int Dropped = 0;      // blocks of that name removed; the theme count went down by this
};
// Drops every block whose name equals line 1 of the Theme.ini at themeFile, by way of
// Themes1.ini (deleted afterwards), and lowers the theme count by the blocks dropped. A catalogue
// out of step with the count is refused (IoError) before anything is written.
RemoveThemeResult RemoveTheme(const QString& programFolder, const QString& themeFile);

// The catalogue lines without the blocks named name; a trailing part-block is kept as it stands.
[[nodiscard]] QByteArrayList WithoutBlocksNamed(const QByteArrayList& lines, const QString& name,
                                                int* dropped);
