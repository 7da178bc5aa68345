#include "themes/Themes.h"

#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/PictureIO.h"
#include "platform/ProgramFolder.h"
#include "platform/TextLines.h"
#include "themes/Settings.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>

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
    const qsizetype blocks = (lines.size() + ThemeBlockLines - 1) / ThemeBlockLines;
    if (count != blocks)
        throw IoError(QStringLiteral("The theme files disagree: Res.ini counts %1 themes on its "
                                     "first line, but the theme catalogue Themes.ini (%2) holds "
                                     "%3. Correct the first line of Res.ini to %3, or put back "
                                     "the catalogue that belongs to it.")
                          .arg(count)
                          .arg(DisplayPath(path))
                          .arg(blocks));
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

QString ThemePictureProblem(const QString& programFolder, const QString& relative) {
    if (relative.isEmpty())
        return QStringLiteral("names no picture");
    if (CutShortField(relative) != relative)
        return QStringLiteral("is longer than %1 characters").arg(ShortFieldMax);
    const QString file = ProgramFile(programFolder, relative);
    if (file.isEmpty())
        return QStringLiteral("\"%1\" leads out of the program folder").arg(DisplayPath(relative));
    if (!IsExistingFile(file))
        return QStringLiteral("names %1, which does not exist").arg(DisplayPath(file));
    return {};
}

QStringList ThemeFileProblems(const QString& programFolder, const QString& themeFile,
                              const QByteArrayList& lines) {
    qsizetype used = lines.size();
    while (used > 0 && lines[used - 1].isEmpty())
        --used; // blank lines at the end do not count
    if (used != ThemeBlockLines)
        return {QStringLiteral("it has %1 lines, but a theme is six: its name, then the pictures "
                               "of the right page, the left page, the front cover, the back "
                               "cover and the preview")
                    .arg(used)};
    QStringList problems;
    const QString name = DecodeLine(lines.first());
    if (name.isEmpty())
        problems << QStringLiteral("line 1, the theme's name, is empty");
    else if (CutShortField(name) != name)
        problems << QStringLiteral("the name on line 1 has %1 characters; at most %2 fit")
                        .arg(name.size())
                        .arg(ShortFieldMax);
    else if (std::any_of(name.begin(), name.end(),
                         [](QChar c) { return c.category() == QChar::Other_Control; }))
        problems << QStringLiteral("the name on line 1 holds control characters");
    const char* const roles[] = {"right page", "left page", "front cover", "back cover", "preview"};
    const QString themeFolder = QFileInfo(themeFile).absolutePath();
    for (int i = 1; i < ThemeBlockLines; ++i) {
        const QString relative = PathFromBytes(lines[i]);
        const QString where =
            QStringLiteral("line %1 (%2) ").arg(i + 1).arg(QLatin1String(roles[i - 1]));
        QString problem = ThemePictureProblem(programFolder, relative);
        const QString file = ProgramFile(programFolder, relative);
        if (problem.isEmpty() && !IsBelowFolder(themeFolder, file))
            problem = QStringLiteral("names %1, which is not in the theme's folder %2")
                          .arg(DisplayPath(file), DisplayPath(themeFolder));
        if (problem.isEmpty()) {
            try {
                (void)LoadPictureScaled(file, QSize(1, 1));
            } catch (const KrelError& e) {
                problem = QStringLiteral("names no picture the program can load: ") + e.Message;
            }
        }
        if (!problem.isEmpty())
            problems << where + problem;
    }
    return problems;
}

AddThemeResult AddTheme(const QString& settingsFolder, const QString& themeFile,
                        const QString& programFolder) {
    const QByteArrayList themeLines = ReadLineBytes(themeFile);
    const QStringList problems = ThemeFileProblems(
        programFolder.isEmpty() ? settingsFolder : programFolder, themeFile, themeLines);
    if (!problems.isEmpty())
        throw KrelError(QStringLiteral("The theme %1 cannot be installed:\n- %2")
                            .arg(DisplayPath(themeFile), problems.join(QStringLiteral("\n- "))));
    const QByteArrayList block = themeLines.first(ThemeBlockLines);
    const QString catalogue = CataloguePath(settingsFolder);
    const QByteArrayList lines = ReadLineBytes(catalogue);
    if (HasLineNamed(lines, DecodeLine(block.first())))
        return AddThemeResult::AlreadyExists;
    // The count must be raisable and agree with the catalogue before the catalogue grows.
    (void)CatalogueOf(lines, ReadThemeCount(settingsFolder), catalogue);
    // The block goes in as the Theme.ini has it, byte for byte.
    WriteLineBytes(catalogue, lines + block);
    ChangeCountOrRestore(settingsFolder, 1, lines);
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
    (void)CatalogueOf(lines, ReadThemeCount(programFolder), catalogue); // as for adding
    // The copy goes to Themes1.ini first, so the catalogue is replaced only by a complete copy.
    const QString copy = CatalogueCopyPath(programFolder);
    const auto removeCopy = qScopeGuard([&copy] { RemoveFile(copy); });
    WriteLineBytes(copy, kept);
    WriteLineBytes(catalogue, ReadLineBytes(copy));
    ChangeCountOrRestore(programFolder, -result.Dropped, lines);
    return result;
}
