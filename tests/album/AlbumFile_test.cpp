#include "album/AlbumFile.h"

#include "platform/Errors.h"
#include "tests/support/Fixtures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TAlbum TwoEntryAlbum() {
    TAlbum album;
    album.Name = "holiday.kpa";
    album.ThemeName = "Classic";
    album.CoverPath = "\\Themes\\Classic\\Cover.jpg";
    album.LeftPath = "\\Themes\\Classic\\Left.jpg";
    album.RightPath = "\\Themes\\Classic\\Right.jpg";
    album.BackPath = "\\Themes\\Classic\\Back.jpg";
    album.Orientation = OrientationHorizontal;
    TFoto a;
    a.FileName = "/home/me/Pictures/a.jpg";
    a.Note = "At the lake";
    TFoto b;
    b.FileName = "/home/me/Pictures/b.bmp";
    album.Fotos << a << b;
    album.Count = 2;
    album.IndexPages = 1;
    return album;
}

QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* l : lines)
        out += QByteArray(l) + "\r\n";
    return out;
}

const QByteArray Header = Lines({AlbumFileHeader, AlbumFileNotice});

} // namespace

TEST(AlbumFile, WritesEveryLineWithCrLf) {
    const QByteArray expected =
        Header + Lines({"holiday.kpa", "Classic", "\\Themes\\Classic\\Cover.jpg",
                        "\\Themes\\Classic\\Left.jpg", "\\Themes\\Classic\\Right.jpg",
                        "\\Themes\\Classic\\Back.jpg", "2", "2", "1", "/home/me/Pictures/a.jpg",
                        "At the lake", "/home/me/Pictures/b.bmp", ""});
    EXPECT_EQ(AlbumFileBytes(TwoEntryAlbum()), expected);
}

TEST(AlbumFile, RoundTripsByteForByte) {
    TAlbum album = TwoEntryAlbum();
    album.CoverPath = QString(255, QLatin1Char('c'));
    album.Fotos[1].FileName = "/" + QString(254, QLatin1Char('p'));
    album.Fotos[1].Note = QString::fromUtf8("Grüße aus Köln");
    const QByteArray bytes = AlbumFileBytes(album);

    AlbumFileReader reader("album.kpa", bytes);
    TAlbum back;
    reader.ReadHeader(back);
    const AlbumFileNumbers numbers = reader.ReadNumbers();
    back.Orientation = static_cast<quint8>(numbers.Orientation);
    back.IndexPages = numbers.IndexPages;
    for (const AlbumFileEntry& e : reader.ReadEntries(numbers.Count)) {
        TFoto f;
        f.FileName = e.FileName;
        f.Note = e.Note;
        back.Fotos << f;
    }
    back.Count = back.Fotos.size();
    EXPECT_EQ(back.CoverPath, album.CoverPath);
    EXPECT_EQ(back.Fotos[1].Note, album.Fotos[1].Note);
    EXPECT_EQ(AlbumFileBytes(back), bytes);
}

TEST(AlbumFile, EmptyAlbumWritesElevenLines) {
    TAlbum album = TwoEntryAlbum();
    album.Fotos.clear();
    album.Count = 0;
    album.IndexPages = 0;
    const QList<QByteArray> lines = AlbumFileBytes(album).split('\n');
    ASSERT_EQ(lines.size(), 12); // eleven lines and nothing after the last line break
    EXPECT_EQ(lines[9], "0\r");
    EXPECT_EQ(lines[11], "");
}

TEST(AlbumFile, LineBreaksInsideFieldsCannotShiftLines) {
    TAlbum album = TwoEntryAlbum();
    album.Fotos[0].Note = "two\r\nlines\nhere";
    album.Name = "odd\nname";
    const QList<QByteArray> lines = AlbumFileBytes(album).split('\n');
    EXPECT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[2], "odd name\r");
    EXPECT_EQ(lines[12], "two lines here\r");
}

TEST(AlbumFileReader, CutsLongThemePathsAndReadsOnNormally) {
    const QByteArray bytes = Header + "n\r\nt\r\n" + QByteArray(300, 'x') +
                             "\r\nleft\r\nright\r\nback\n" + Lines({"1", "0", "0"});
    AlbumFileReader reader("a.kpa", bytes);
    TAlbum album;
    reader.ReadHeader(album);
    EXPECT_EQ(album.Name, "n");
    EXPECT_EQ(album.CoverPath, QString(255, QLatin1Char('x')));
    EXPECT_EQ(album.LeftPath, "left");
    EXPECT_EQ(album.BackPath, "back");
    EXPECT_EQ(reader.ReadNumbers().Orientation, 1);
}

TEST(AlbumFile, PicturePathsKeepTheirFullLength) {
    const QString accented = "/" + QString(146, QChar(0xE9));  // 147 characters, 293 bytes
    const QString deep = "/" + QString(299, QLatin1Char('p')); // 300 characters
    for (const QString& path : {accented, deep}) {
        TAlbum album = TwoEntryAlbum();
        album.Fotos[0].FileName = path;
        const QByteArray bytes = AlbumFileBytes(album);
        EXPECT_TRUE(bytes.contains(path.toUtf8()));
        AlbumFileReader reader("album.kpa", bytes);
        TAlbum back;
        reader.ReadHeader(back);
        const QVector<AlbumFileEntry> entries = reader.ReadEntries(reader.ReadNumbers().Count);
        ASSERT_EQ(entries.size(), 2);
        EXPECT_EQ(entries[0].FileName, path);
        EXPECT_EQ(entries[0].Note, album.Fotos[0].Note); // the next line is still the note
        EXPECT_EQ(entries[1].FileName, album.Fotos[1].FileName);
    }
}

TEST(AlbumFileReader, RefusesDamagedNumberLines) {
    const struct {
        const char *orientation, *count, *index, *expect;
    } cases[] = {
        {"3", "1", "1", "line 9"},   {"0", "1", "1", "line 9"},   {"x", "1", "1", "line 9"},
        {"", "1", "1", "line 9"},    {"1", "-1", "1", "line 10"}, {"2", "two", "1", "line 10"},
        {"2", " 1", "1", "line 10"}, {"2", "1", "", "line 11"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes =
            Header + Lines({"n", "t", "c", "l", "r", "b", c.orientation, c.count, c.index});
        AlbumFileReader reader("/albums/broken.kpa", bytes);
        TAlbum album;
        reader.ReadHeader(album);
        try {
            (void)reader.ReadNumbers();
            ADD_FAILURE() << "accepted " << c.orientation << " / " << c.count;
        } catch (const IoError& e) {
            EXPECT_TRUE(e.Message.contains("/albums/broken.kpa")) << e.what();
            EXPECT_TRUE(e.Message.contains(c.expect)) << e.what();
        }
    }
}

TEST(AlbumFileReader, ReadsEntriesOnlyUpToTheEndOfTheFile) {
    const QByteArray bytes = Header + Lines({"n", "t", "c", "l", "r", "b", "2", "2000000000", "1",
                                             "/p/a.jpg", "note a", "/p/b.jpg"});
    AlbumFileReader reader("a.kpa", bytes);
    TAlbum album;
    reader.ReadHeader(album);
    const AlbumFileNumbers numbers = reader.ReadNumbers();
    EXPECT_EQ(numbers.Count, 2000000000);
    const QVector<AlbumFileEntry> entries = reader.ReadEntries(numbers.Count);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].Note, "note a");
    EXPECT_EQ(entries[1].FileName, "/p/b.jpg");
    EXPECT_EQ(entries[1].Note, "");
}

TEST(AlbumFileReader, MissingFileIsAnIoError) {
    QTemporaryDir dir;
    EXPECT_THROW(AlbumFileReader(dir.filePath("none.kpa")), IoError);
}
