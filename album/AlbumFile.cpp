#include "album/AlbumFile.h"

#include "platform/Errors.h"
#include "platform/FileNames.h"

#include <QStringList>

namespace {

// The format has no escaping: a line break inside a field would shift every later line, so it is
// written as a blank.
QString OneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QByteArray PathLine(const QString& path) {
    return PathBytes(OneLine(path));
}

QByteArray ShortPathLine(const QString& path) {
    return PathLine(CutShortField(path));
}

QByteArray TextLine(const QString& text, const QByteArray& asRead = {}) {
    return EncodeLine(OneLine(text), asRead);
}

} // namespace

AlbumFileReader::AlbumFileReader(const QString& path) : path_(path), lines_(path) {}

AlbumFileReader::AlbumFileReader(const QString& path, const QByteArray& bytes)
    : path_(path), lines_(LineReader::FromBytes(bytes)) {}

void AlbumFileReader::ReadHeader(TAlbum& album) {
    lines_.ReadLine(); // header and notice are not checked
    lines_.ReadLine();
    album.Name = lines_.ReadLine();
    album.ThemeNameAsRead = lines_.ReadLineBytes();
    album.ThemeName = DecodeLine(album.ThemeNameAsRead);
    album.CoverPath = CutShortField(lines_.ReadPathLine());
    album.LeftPath = CutShortField(lines_.ReadPathLine());
    album.RightPath = CutShortField(lines_.ReadPathLine());
    album.BackPath = CutShortField(lines_.ReadPathLine());
}

int AlbumFileReader::ReadNumberLine(int line, const char* what) {
    try {
        return lines_.ReadInt();
    } catch (const KrelError& e) {
        throw IoError(QStringLiteral("The album file %1 is damaged: line %2 (%3): %4")
                          .arg(path_)
                          .arg(line)
                          .arg(QLatin1String(what), e.Message));
    }
}

AlbumFileNumbers AlbumFileReader::ReadNumbers() {
    AlbumFileNumbers n;
    n.Orientation = ReadNumberLine(9, "layout");
    if (!IsValidOrientation(n.Orientation))
        throw IoError(QStringLiteral("The album file %1 is damaged: line 9 gives the layout %2, "
                                     "but only 1 (vertical) and 2 (horizontal) exist")
                          .arg(path_)
                          .arg(n.Orientation));
    n.Count = ReadNumberLine(10, "number of pictures");
    if (n.Count < 0)
        throw IoError(QStringLiteral("The album file %1 is damaged: line 10 gives %2 pictures")
                          .arg(path_)
                          .arg(n.Count));
    n.IndexPages = ReadNumberLine(11, "contents pages");
    return n;
}

QVector<AlbumFileEntry> AlbumFileReader::ReadEntries(int count) {
    QVector<AlbumFileEntry> entries;
    for (int i = 0; i < count && !lines_.AtEnd(); ++i) {
        AlbumFileEntry e;
        e.FileName = lines_.ReadPathLine(); // a path is never cut: a cut one names another file
        e.NoteAsRead = lines_.ReadLineBytes();
        e.Note = DecodeLine(e.NoteAsRead);
        entries << e;
    }
    return entries;
}

QByteArray AlbumFileBytes(const TAlbum& album) {
    const int count = std::min<int>(album.Count, album.Fotos.size());
    QByteArrayList lines{AlbumFileHeader,
                         AlbumFileNotice,
                         TextLine(album.Name),
                         TextLine(album.ThemeName, album.ThemeNameAsRead),
                         ShortPathLine(album.CoverPath),
                         ShortPathLine(album.LeftPath),
                         ShortPathLine(album.RightPath),
                         ShortPathLine(album.BackPath),
                         QByteArray::number(album.Orientation),
                         QByteArray::number(count),
                         QByteArray::number(album.IndexPages)};
    for (int i = 0; i < count; ++i)
        lines << PathLine(album.Fotos[i].FileName)
              << TextLine(album.Fotos[i].Note, album.Fotos[i].NoteAsRead);
    return JoinLineBytes(lines);
}

void WriteAlbumFile(const QString& path, const TAlbum& album) {
    WriteFileAtomic(path, AlbumFileBytes(album));
}
