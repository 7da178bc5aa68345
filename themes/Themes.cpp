#include "themes/Themes.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"
#include "themes/Settings.h"

#include <QFile>
#include <QScopeGuard>

namespace {

// Changes the theme count after the catalogue was rewritten from oldLines; when the count cannot
// be written the old catalogue goes back, so the two never disagree.
void ChangeCountOrRestore(const QString& programFolder, int delta, const QStringList& oldLines) {
    try {
        ChangeThemeCount(programFolder, delta);
    } catch (...) {
        try {
            WriteLines(CataloguePath(programFolder), oldLines);
        } catch (...) {
            // the count's error is the one to report
        }
        throw;
    }
}

} // namespace

QString CataloguePath(const QString& programFolder) {
    return programFolder + QStringLiteral("Themes.ini");
}

QString CatalogueCopyPath(const QString& programFolder) {
    return programFolder + QStringLiteral("Themes1.ini");
}

QStringList BlockLines(const TThemes& theme) {
    return {theme.Name,      theme.RightPath, theme.LeftPath,
            theme.CoverPath, theme.BackPath,  theme.PreviewPath};
}

TThemes ThemeFromLines(const QStringList& lines, qsizetype first) {
    const auto line = [&](int i) { return lines.value(first + i); };
    TThemes theme;
    theme.Name = line(0);
    theme.RightPath = line(1);
    theme.LeftPath = line(2);
    theme.CoverPath = line(3);
    theme.BackPath = line(4);
    theme.PreviewPath = line(5);
    return theme;
}

TThemes ReadThemeFile(const QString& path) {
    LineReader reader(path);
    return ThemeFileOf(reader);
}

TThemes ThemeFileOf(LineReader& reader) {
    QStringList lines;
    for (int i = 0; i < ThemeBlockLines; ++i)
        lines << reader.ReadLine();
    TThemes theme = ThemeFromLines(lines, 0);
    theme.Name = CutShortField(theme.Name);
    return theme;
}

QVector<TThemes> ReadCatalogue(const QString& programFolder, int count) {
    const QString path = CataloguePath(programFolder);
    return CatalogueOf(ReadLines(path), count, path);
}

QVector<TThemes> CatalogueOf(const QStringList& lines, int count, const QString& path) {
    // A count from a damaged Res.ini must not make millions of empty themes.
    const qsizetype blocks = (lines.size() + ThemeBlockLines - 1) / ThemeBlockLines;
    if (count < 0 || count > blocks)
        throw IoError(
            QStringLiteral("The theme catalogue %1 holds %2 themes, but Res.ini counts %3")
                .arg(path)
                .arg(blocks)
                .arg(count));
    QVector<TThemes> themes;
    for (int i = 0; i < count; ++i)
        themes << ThemeFromLines(lines, qsizetype(i) * ThemeBlockLines);
    return themes;
}

QVector<TThemes> ReadInstalledThemes(const QString& programFolder) {
    return ReadCatalogue(programFolder, ReadThemeCount(programFolder));
}

bool Control(const QString& programFolder, const QString& name) {
    return !ReadLines(CataloguePath(programFolder)).contains(name);
}

AddThemeResult AddTheme(const QString& programFolder, const QString& themeFile) {
    const TThemes theme = ReadThemeFile(themeFile);
    const QString catalogue = CataloguePath(programFolder);
    const QStringList lines = ReadLines(catalogue);
    if (lines.contains(theme.Name))
        return AddThemeResult::AlreadyExists;
    // The count must be raisable before the catalogue grows, or the two would disagree.
    (void)ReadThemeCount(programFolder);
    WriteLines(catalogue, lines + BlockLines(theme));
    ChangeCountOrRestore(programFolder, 1, lines);
    return AddThemeResult::Added;
}

QStringList WithoutBlocksNamed(const QStringList& lines, const QString& name, int* dropped) {
    QStringList kept;
    int count = 0;
    for (qsizetype first = 0; first < lines.size(); first += ThemeBlockLines) {
        const QStringList block = lines.mid(first, ThemeBlockLines);
        if (block.first() == name)
            ++count;
        else
            kept += block;
    }
    if (dropped)
        *dropped = count;
    return kept;
}

RemoveThemeResult RemoveTheme(const QString& programFolder, const QString& themeFile) {
    // The full first line: a name cut when it was installed no longer matches (as it should not
    // match a theme it is not).
    const QString name = LineReader(themeFile).ReadLine();
    const QString catalogue = CataloguePath(programFolder);
    const QStringList lines = ReadLines(catalogue);
    RemoveThemeResult result;
    result.Present = lines.contains(name);
    if (!result.Present)
        return result;
    const QStringList kept = WithoutBlocksNamed(lines, name, &result.Dropped);
    if (result.Dropped == 0)
        return result; // the name is only a picture path of some theme: nothing to drop
    (void)ReadThemeCount(programFolder); // as for adding: the count first
    // The copy goes to Themes1.ini first, so the catalogue is replaced only by a complete copy.
    const QString copy = CatalogueCopyPath(programFolder);
    const auto removeCopy = qScopeGuard([&copy] { QFile::remove(copy); });
    WriteLines(copy, kept);
    WriteLines(catalogue, ReadLines(copy));
    ChangeCountOrRestore(programFolder, -result.Dropped, lines);
    return result;
}
