#include "themes/Settings.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"

namespace {

// What a missing line of a file shorter than three lines becomes when the slideshow is applied.
const QByteArray MissingThemeCount = "0";

qsizetype SeparatorIndex(const QByteArrayList& lines) {
    return lines.indexOf(SizeSeparator.toUtf8());
}

int DecimalPart(const QString& text, const QString& entry) {
    try {
        return ParseInt(text);
    } catch (const ConversionError&) {
        throw ConversionError(
            QStringLiteral("'%1' is not a valid integer value (picture size \"%2\")")
                .arg(text, entry));
    }
}

} // namespace

QString SettingsPath(const QString& programFolder) {
    return programFolder + QStringLiteral("Res.ini");
}

int ReadThemeCount(const QString& programFolder) {
    LineReader reader(SettingsPath(programFolder));
    return ThemeCountOf(reader);
}

int ThemeCountOf(LineReader& settings) {
    settings.SetName(QStringLiteral("Res.ini"));
    return settings.ReadInt();
}

bool IsForwardDirection(const QString& line) {
    return line == QLatin1String("0");
}

SlideSettingsText ReadSlideSettingsText(const QString& programFolder) {
    LineReader reader(SettingsPath(programFolder));
    return SlideSettingsTextOf(reader);
}

SlideSettingsText SlideSettingsTextOf(LineReader& reader) {
    reader.ReadLine(); // the theme count
    SlideSettingsText settings;
    settings.Forward = IsForwardDirection(reader.ReadLine());
    settings.Interval = reader.ReadLine();
    return settings;
}

SlideSettings ReadSlideSettings(const QString& programFolder) {
    const SlideSettingsText text = ReadSlideSettingsText(programFolder);
    return {text.Forward, ParseInt(text.Interval, QStringLiteral("Res.ini"), 3)};
}

QStringList PictureSizesOf(const QByteArrayList& lines) {
    const qsizetype separator = SeparatorIndex(lines);
    if (separator < 0)
        return {};
    return DecodeLines(lines.mid(separator + 1));
}

QStringList ReadPictureSizes(const QString& programFolder) {
    return PictureSizesOf(ReadLineBytes(SettingsPath(programFolder)));
}

QString FormatPictureSize(int width, int height) {
    return QStringLiteral("%1x%2 - %3x%4")
        .arg(width)
        .arg(height)
        .arg(width / PixelsPerCentimetre)
        .arg(height / PixelsPerCentimetre);
}

PictureSize ParsePictureSize(const QString& entry) {
    const qsizetype x = entry.indexOf(QLatin1Char('x'));
    if (x < 0)
        throw ConversionError(
            QStringLiteral("'%1' is not a picture size (width x height)").arg(entry));
    qsizetype blank = entry.indexOf(QLatin1Char(' '), x);
    if (blank < 0)
        blank = entry.size();
    PictureSize size;
    size.Width = DecimalPart(entry.left(x), entry);
    size.Height = DecimalPart(entry.mid(x + 1, blank - x - 1), entry);
    return size;
}

QStringList DefaultPictureSizes() {
    // The shipped texts as they stand: "13x18" is the paper name, not 1500 div 118 x 2102 div 118.
    return {QStringLiteral("1205x1795 - 10x15"), QStringLiteral("1500x2102 - 13x18"),
            QStringLiteral("2398x3602 - 20x30")};
}

QByteArrayList WithThemeCountChanged(QByteArrayList lines, int delta) {
    const QString first = lines.isEmpty() ? QString() : DecodeLine(lines.first());
    const QByteArray changed =
        QByteArray::number(ParseInt(first, QStringLiteral("Res.ini"), 1) + delta);
    if (lines.isEmpty())
        lines << changed;
    else
        lines.first() = changed;
    return lines;
}

QByteArrayList WithSlideSettings(QByteArrayList lines, bool forward, const QString& interval) {
    if (lines.isEmpty())
        lines << MissingThemeCount;
    while (lines.size() < 3)
        lines << QByteArray();
    lines[1] = forward ? "0" : "1";
    lines[2] = EncodeLine(interval, lines[2]);
    return lines;
}

QByteArrayList WithPictureSizes(const QByteArrayList& lines, const QStringList& sizes) {
    const qsizetype separator = SeparatorIndex(lines);
    if (separator < 0)
        return lines;
    // An entry that reads as the one it replaces keeps that entry's bytes.
    QByteArrayList written = lines.first(separator + 1);
    for (qsizetype i = 0; i < sizes.size(); ++i)
        written << EncodeLine(sizes[i], lines.value(separator + 1 + i));
    return written;
}

void ChangeThemeCount(const QString& programFolder, int delta) {
    const QString path = SettingsPath(programFolder);
    WriteLineBytes(path, WithThemeCountChanged(ReadLineBytes(path), delta));
}

void WriteSlideSettings(const QString& programFolder, bool forward, const QString& interval) {
    if (HasLineBreak(interval))
        throw KrelError(QStringLiteral("The interval must be one line: \"%1\" holds a line break.")
                            .arg(interval.simplified()));
    const QString path = SettingsPath(programFolder);
    WriteLineBytes(path, WithSlideSettings(ReadLineBytes(path), forward, interval));
}

void WritePictureSizes(const QString& programFolder, const QStringList& sizes) {
    if (sizes.isEmpty())
        throw KrelError(QStringLiteral("The size list is empty: add at least one picture size "
                                       "before applying it."));
    for (const QString& size : sizes)
        if (HasLineBreak(size))
            throw KrelError(QStringLiteral("The picture size \"%1\" holds a line break.")
                                .arg(size.simplified()));
    const QString path = SettingsPath(programFolder);
    WriteLineBytes(path, WithPictureSizes(ReadLineBytes(path), sizes));
}
