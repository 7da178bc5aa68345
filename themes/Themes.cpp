#include "themes/Themes.h"

#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/TextLines.h"
#include "themes/Settings.h"

#include <QScopeGuard>

namespace {

// Changes the theme count after the catalogue was rewritten from oldLines; when the count cannot
// be written the old catalogue goes back, so the two never disagree.
void ChangeCountOrRestore(const QString& programFolder, int delta, const QByteArrayList& oldLines) {
    try {
        ChangeThemeCount(programFolder, delta);
    } catch (...) {
        try {
            WriteLineBytes(CataloguePath(programFolder), oldLines);
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

QByteArrayList BlockLines(const TThemes& theme) {
    return {theme.Name.toUtf8(),        PathBytes(theme.RightPath), PathBytes(theme.LeftPath),
            PathBytes(theme.CoverPath), PathBytes(theme.BackPath),  PathBytes(theme.PreviewPath)};
}

TThemes ThemeFromLines(const QByteArrayList& lines, qsizetype first) {
    const auto path = [&](int i) { return PathFromBytes(lines.value(first + i)); };
    TThemes theme;
    theme.Name = DecodeLine(lines.value(first));
    theme.RightPath = path(1);
    theme.LeftPath = path(2);
    theme.CoverPath = path(3);
    theme.BackPath = path(4);
    theme.PreviewPath = path(5);
    return theme;
}

namespace {

// The first six lines of a Theme.ini as bytes, the name cut to the short-field length.
QByteArrayList ThemeFileLines(LineReader& reader) {
    QByteArrayList lines;
    for (int i = 0; i < ThemeBlockLines; ++i)
        lines << reader.ReadLineBytes();
    const QString name = DecodeLine(lines.first());
    lines.first() = EncodeLine(CutShortField(name), lines.first());
    return lines;
}

bool HasLineNamed(const QByteArrayList& lines, const QString& name) {
    return DecodeLines(lines).contains(name);
}

} // namespace

TThemes ReadThemeFile(const QString& path) {
    LineReader reader(path);
    return ThemeFileOf(reader);
}

TThemes ThemeFileOf(LineReader& reader) {
    return ThemeFromLines(ThemeFileLines(reader), 0);
}

QVector<TThemes> ReadCatalogue(const QString& programFolder, int count) {
    const QString path = CataloguePath(programFolder);
    return CatalogueOf(ReadLineBytes(path), count, path);
}

QVector<TThemes> CatalogueOf(const QByteArrayList& lines, int count, const QString& path) {
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
    return !HasLineNamed(ReadLineBytes(CataloguePath(programFolder)), name);
}

AddThemeResult AddTheme(const QString& programFolder, const QString& themeFile) {
    LineReader reader(themeFile);
    const QByteArrayList block = ThemeFileLines(reader);
    const QString catalogue = CataloguePath(programFolder);
    const QByteArrayList lines = ReadLineBytes(catalogue);
    if (HasLineNamed(lines, DecodeLine(block.first())))
        return AddThemeResult::AlreadyExists;
    // The count must be raisable before the catalogue grows, or the two would disagree.
    (void)ReadThemeCount(programFolder);
    // The block goes in as the Theme.ini has it, byte for byte.
    WriteLineBytes(catalogue, lines + block);
    ChangeCountOrRestore(programFolder, 1, lines);
    return AddThemeResult::Added;
}

QByteArrayList WithoutBlocksNamed(const QByteArrayList& lines, const QString& name, int* dropped) {
    QByteArrayList kept;
    int count = 0;
    for (qsizetype first = 0; first < lines.size(); first += ThemeBlockLines) {
        const QByteArrayList block = lines.mid(first, ThemeBlockLines);
        if (DecodeLine(block.first()) == name)
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
    const QByteArrayList lines = ReadLineBytes(catalogue);
    RemoveThemeResult result;
    result.Present = HasLineNamed(lines, name);
    if (!result.Present)
        return result;
    const QByteArrayList kept = WithoutBlocksNamed(lines, name, &result.Dropped);
    if (result.Dropped == 0)
        return result; // the name is only a picture path of some theme: nothing to drop
    (void)ReadThemeCount(programFolder); // as for adding: the count first
    // The copy goes to Themes1.ini first, so the catalogue is replaced only by a complete copy.
    const QString copy = CatalogueCopyPath(programFolder);
    const auto removeCopy = qScopeGuard([&copy] { RemoveFile(copy); });
    WriteLineBytes(copy, kept);
    WriteLineBytes(catalogue, ReadLineBytes(copy));
    ChangeCountOrRestore(programFolder, -result.Dropped, lines);
    return result;
}
