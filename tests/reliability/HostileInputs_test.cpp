// Files handed to the program by someone else: each damaged or hostile file gives a clear message
// (or loads as far as it is sound), and never a crash or a hang.

#include "album/Album.h"
#include "album/AlbumFile.h"
#include "album/AlbumLoader.h"
#include "album/AlbumSave.h"
#include "app/AppContext.h"
#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"
#include "themes/Settings.h"
#include "themes/Themes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A message as expected: exact, or a prefix when it ends in "*".
void ExpectMessages(const QStringList& shown, const QStringList& expected) {
    ASSERT_EQ(shown.size(), expected.size()) << shown.join(" | ").toStdString();
    for (int i = 0; i < shown.size(); ++i) {
        if (expected[i].endsWith(QLatin1Char('*')))
            EXPECT_TRUE(shown[i].startsWith(expected[i].chopped(1))) << shown[i].toStdString();
        else
            EXPECT_EQ(shown[i].toStdString(), expected[i].toStdString());
    }
}

class HostileAlbum : public ::testing::Test {
protected:
    TempProgramFolder program;
    QTemporaryDir pictures;
    AlbumSession session;
    ScriptedDialogs dialogs;
    AppContext context;
    int viewShown = 0;
    TAlbum seen;

    void SetUp() override {
        for (const char* name : {"Cover", "Left", "Right", "Back"})
            WritePicture(program.File(QStringLiteral("Themes/Classic/%1.jpg").arg(name)), 60, 90);
        WritePicture(pictures.filePath("a.jpg"), 40, 30);
        WritePicture(pictures.filePath("b.bmp"), 30, 40);
        session.PageHeight = 499;
        session.PageWidth = 332;
        context.ProgramFolder = program.Path();
        context.Dialogs = &dialogs;
        context.Session = &session;
        context.ShowAlbumView = [this] {
            ++viewShown;
            seen = session.Album;
            RewritePendingAlbum(session, dialogs);
            EmptyAlbum(session);
        };
    }

    // The lines of a sound album of the two pictures.
    QStringList GoodLines() const {
        return {AlbumFileHeader,
                "notice",
                "holiday.kpa",
                "Classic",
                "\\Themes\\Classic\\Cover.jpg",
                "\\Themes\\Classic\\Left.jpg",
                "\\Themes\\Classic\\Right.jpg",
                "\\Themes\\Classic\\Back.jpg",
                "2",
                "2",
                "1",
                pictures.filePath("a.jpg"),
                "first",
                pictures.filePath("b.bmp"),
                "second"};
    }
};

} // namespace

TEST_F(HostileAlbum, EveryDamagedAlbumFileGivesItsMessage) {
    const auto with = [this](int line, const QString& text) {
        QStringList lines = GoodLines();
        lines[line - 1] = text;
        return JoinLines(lines);
    };
    // A picture file that exists outside the program folder, reached by ".." and by its path.
    const QString outside = WritePicture(pictures.filePath("Cover.jpg"), 60, 90);
    const QString upAndOut = "..\\" + QFileInfo(pictures.path()).fileName() + "\\Cover.jpg";
    ASSERT_TRUE(QFileInfo::exists(program.Path() + QString(upAndOut).replace('\\', '/')));
    QByteArray lfOnly = JoinLines(GoodLines());
    lfOnly.replace("\r\n", "\n");
    QByteArray nul = JoinLines(GoodLines());
    nul.replace("second", QByteArray("sec\0ond", 7));
    nul.replace(pictures.filePath("a.jpg").toUtf8(),
                pictures.filePath("a.jpg").toUtf8() + QByteArray("\0.x", 3));
    const QString longLine(100'000, QLatin1Char('n'));
    const QString damaged = "The album file %1 is damaged: ";
    const QString layout = damaged + "line 9 gives the layout %2, but only 1 (vertical) and 2 "
                                     "(horizontal) exist";
    const QString saved = "File: holiday.kpa save successfully";

    struct Case {
        const char* name;
        QByteArray bytes;
        LoadResult result;
        QStringList messages; // %1: the album file
        int pictures = 0;     // entries the album view got
    };
    const Case cases[] = {
        {"missing lines",
         JoinLines(GoodLines().first(8)),
         LoadResult::Failed,
         {damaged + "line 9 (layout): '' is not a valid integer value"}},
        {"count -1", with(10, "-1"), LoadResult::Failed, {damaged + "line 10 gives -1 pictures"}},
        // The count promises more than the file holds: the entries that are there load.
        {"count 2000000000", with(10, "2000000000"), LoadResult::Shown, {}, 2},
        {"count abc",
         with(10, "abc"),
         LoadResult::Failed,
         {damaged + "line 10 (number of pictures): 'abc' is not a valid integer value"}},
        {"orientation 0", with(9, "0"), LoadResult::Failed, {layout.arg("%1", "0")}},
        {"orientation 3", with(9, "3"), LoadResult::Failed, {layout.arg("%1", "3")}},
        {"orientation 255", with(9, "255"), LoadResult::Failed, {layout.arg("%1", "255")}},
        {"100,000-character name", with(3, longLine), LoadResult::Shown, {}, 2},
        {"100,000-character note", with(13, longLine), LoadResult::Shown, {}, 2},
        // Cut to 255 characters: no such picture, so the entry is dropped and the file rewritten.
        {"100,000-character picture path",
         with(12, "/" + longLine),
         LoadResult::Shown,
         {saved, "File picture not found"},
         1},
        {"100,000-character theme path",
         with(5, longLine),
         LoadResult::Failed,
         {"File theme not found"}},
        {"NUL bytes in a path and a note",
         nul,
         LoadResult::Shown,
         {saved, "File picture not found"},
         1},
        {"LF line ends", lfOnly, LoadResult::Shown, {}, 2},
        {"theme path leading out of the program folder",
         with(6, upAndOut),
         LoadResult::Failed,
         {"File theme not found"}},
        {"absolute theme path", with(7, outside), LoadResult::Failed, {"File theme not found"}},
        // One message for a damaged file, not "File theme not found" before it.
        {"empty file", QByteArray(), LoadResult::Failed, {damaged + "*"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = WriteBytes(pictures.filePath("holiday.kpa"), c.bytes);
        dialogs.Messages.clear();
        viewShown = 0;
        seen = TAlbum();
        EXPECT_EQ(OpenAlbum(context, file), c.result);
        QStringList expected;
        for (const QString& m : c.messages)
            expected << QString(m).replace("%1", file);
        ExpectMessages(dialogs.Texts(), expected);
        EXPECT_EQ(viewShown, c.result == LoadResult::Shown ? 1 : 0);
        EXPECT_EQ(seen.Count, c.pictures);
        EXPECT_TRUE(session.Album.Fotos.isEmpty());
        EXPECT_TRUE(session.PendingResavePath.isEmpty());
    }
}

TEST_F(HostileAlbum, DamagedPictureStopsTheLoadWithTheDecodersMessage) {
    const QString picture = pictures.filePath("a.jpg");
    const QByteArray whole = Bytes(picture);
    WriteBytes(picture, whole.left(whole.size() / 2));
    const QString file = WriteBytes(pictures.filePath("holiday.kpa"), JoinLines(GoodLines()));
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Failed);
    ExpectMessages(dialogs.Texts(), {"Cannot load " + picture + ": damaged JPEG picture*"});
    EXPECT_EQ(viewShown, 0);
    EXPECT_TRUE(session.Album.Fotos.isEmpty());
}

namespace {

// Every way of reading a picture: each either gives the picture or throws PictureError naming
// the file; load says which of the two the full load did.
struct PictureReads {
    bool loaded = false;
    QStringList errors;
};

PictureReads ReadEveryWay(const QString& path) {
    PictureReads r;
    const auto attempt = [&](const auto& read) {
        try {
            read();
            return true;
        } catch (const PictureError& e) {
            r.errors << e.Message;
            return false;
        }
    };
    r.loaded = attempt([&] { (void)LoadPicture(path); });
    attempt([&] { (void)LoadPictureScaled(path, QSize(7, 5)); });
    attempt([&] { (void)ReadPictureSize(path); });
    return r;
}

void ExpectNamed(const PictureReads& r, const QString& path) {
    for (const QString& e : r.errors)
        EXPECT_TRUE(e.startsWith("Cannot load " + path + ": ")) << e.toStdString();
}

void Put16(QByteArray& b, int at, quint16 v) {
    qToLittleEndian(v, b.data() + at);
}
void Put32(QByteArray& b, int at, quint32 v) {
    qToLittleEndian(v, b.data() + at);
}

// Sets width and height in a JPEG's start-of-frame segment.
QByteArray WithJpegSize(QByteArray jpeg, quint16 w, quint16 h) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xff\xc0", 2));
    qToBigEndian(h, jpeg.data() + sof + 5);
    qToBigEndian(w, jpeg.data() + sof + 7);
    return jpeg;
}

} // namespace

TEST(HostilePicture, TruncatedAtEveryTenthIsRefusedWithItsName) {
    QTemporaryDir dir;
    for (const char* name : {"cut.jpg", "cut.bmp"}) {
        const QString path = WritePicture(dir.filePath(name), 40, 30);
        const QByteArray whole = Bytes(path);
        for (int tenth = 0; tenth < 10; ++tenth) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(tenth * 10) + "%");
            WriteBytes(path, whole.left(whole.size() * tenth / 10));
            const PictureReads r = ReadEveryWay(path);
            EXPECT_FALSE(r.loaded);
            EXPECT_GE(r.errors.size(), 2); // both decodes; the header alone may still be whole
            ExpectNamed(r, path);
        }
    }
}

TEST(HostilePicture, ImpossibleHeadersAreRefusedBeforeAnyPixelMemory) {
    QTemporaryDir dir;
    const QByteArray jpeg = EncodeJpeg(MakeImage(40, 30), 90);
    const QByteArray bmp = Bytes(WritePicture(dir.filePath("sound.bmp"), 4, 2));
    const auto bmpWith = [&](qint32 w, qint32 h) {
        QByteArray b = bmp;
        Put32(b, 18, quint32(w));
        Put32(b, 22, quint32(h));
        return b;
    };
    // An 8-bit BMP whose colour count runs past the file's end.
    const auto paletted = [](quint32 colours) {
        QByteArray b(14 + 40, '\0');
        b[0] = 'B';
        b[1] = 'M';
        Put32(b, 10, 14 + 40 + 16);
        Put32(b, 14, 40);
        Put32(b, 18, 4);
        Put32(b, 22, 2);
        Put16(b, 26, 1);
        Put16(b, 28, 8);
        Put32(b, 46, colours);
        b += QByteArray(16, '\x40') + QByteArray(8, '\x01');
        Put32(b, 2, quint32(b.size()));
        return b;
    };
    const QString tooLarge = "the picture is too large (65535 x 65535 pixels)";
    struct Case {
        const char* file;
        QByteArray bytes;
        QString message; // after "Cannot load <path>: "; ending in "*": a prefix
    };
    const Case cases[] = {
        // Past what libjpeg reads at all, and within it but past the program's pixel limit.
        {"huge.jpg", WithJpegSize(jpeg, 65535, 65535),
         "damaged JPEG picture (Maximum supported image dimension is 65500 pixels)"},
        {"large.jpg", WithJpegSize(jpeg, 60000, 60000),
         "the picture is too large (60000 x 60000 pixels)"},
        {"huge.bmp", bmpWith(65535, 65535), tooLarge},
        {"no-width.jpg", WithJpegSize(jpeg, 0, 30), "damaged JPEG picture*"},
        {"no-height.bmp", bmpWith(4, 0), "not a BMP picture"},
        {"no-width.bmp", bmpWith(0, 2), "not a BMP picture"},
        {"lowest-height.bmp", bmpWith(4, std::numeric_limits<qint32>::min()), "not a BMP picture"},
        {"palette-past-end.bmp", paletted(256), "damaged BMP picture*"},
        {"palette-count-huge.bmp", paletted(0x7fffffff), "damaged BMP picture*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = WriteBytes(dir.filePath(c.file), c.bytes);
        const PictureReads r = ReadEveryWay(path);
        EXPECT_FALSE(r.loaded);
        ASSERT_FALSE(r.errors.isEmpty());
        ExpectMessages({r.errors.first()}, {"Cannot load " + path + ": " + c.message});
        ExpectNamed(r, path);
    }
}

TEST(HostilePicture, NegativeBmpHeightIsATopDownPicture) {
    QTemporaryDir dir;
    const QString path = WritePicture(dir.filePath("up.bmp"), 40, 30);
    QByteArray bytes = Bytes(path);
    // Rows stored top-down: the same rows in the opposite order, and the height negated.
    const int row = (40 * 3 + 3) & ~3;
    QByteArray flipped = bytes.left(54);
    for (int y = 29; y >= 0; --y)
        flipped += bytes.mid(54 + y * row, row);
    Put32(flipped, 22, quint32(-30));
    WriteBytes(path, flipped);
    EXPECT_EQ(ReadPictureSize(path), QSize(40, 30));
    const QImage image = LoadPicture(path);
    ASSERT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.pixelColor(0, 0), MakeImage(40, 30).pixelColor(0, 0));
    EXPECT_EQ(image.pixelColor(39, 29), MakeImage(40, 30).pixelColor(39, 29));
}

TEST(HostileSettings, DamagedResIniGivesConversionMessages) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QString themeCount; // the count as text, or the error
        QString slideshow;  // the interval, or the error
        QStringList sizes;  // the entries the size lists get
        QString firstSize;  // the first size parsed, or its error
    };
    const Case cases[] = {
        {"no separator", "1\r\n0\r\n5\r\n1205x1795 - 10x15\r\n", "1", "5", {}, ""},
        {"empty",
         "",
         "'' is not a valid integer value (Res.ini, line 1)",
         "'' is not a valid integer value (Res.ini, line 3)",
         {},
         ""},
        {"line 3 is -",
         "1\r\n0\r\n-\r\n-\r\n1205x1795 - 10x15\r\n",
         "1",
         "'-' is not a valid integer value (Res.ini, line 3)",
         {"-", "1205x1795 - 10x15"},
         "'-' is not a picture size (width x height)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempProgramFolder program;
        WriteBytes(SettingsPath(program.Path()), c.bytes);
        const auto text = [](const auto& read) {
            try {
                return read();
            } catch (const ConversionError& e) {
                return e.Message;
            }
        };
        EXPECT_EQ(text([&] { return QString::number(ReadThemeCount(program.Path())); }),
                  c.themeCount);
        EXPECT_EQ(text([&] {
                      return QString::number(ReadSlideSettings(program.Path()).IntervalSeconds);
                  }),
                  c.slideshow);
        const QStringList sizes = ReadPictureSizes(program.Path());
        EXPECT_EQ(sizes, c.sizes);
        if (!sizes.isEmpty()) {
            EXPECT_EQ(text([&] { return QString::number(ParsePictureSize(sizes[0]).Width); }),
                      c.firstSize);
        }
    }
}

TEST(HostileSettings, ThemeCountOutOfStepWithTheCatalogueIsRefused) {
    const QStringList twoThemes{"A", "r", "l", "c", "b", "p", "B", "r", "l", "c", "b", "p"};
    for (const int count : {3, 5, 2'000'000'000, -1, 0, 1}) {
        SCOPED_TRACE(count);
        TempProgramFolder program;
        WriteBytes(SettingsPath(program.Path()), QByteArray::number(count) + "\r\n0\r\n5\r\n-\r\n");
        WriteBytes(CataloguePath(program.Path()), JoinLines(twoThemes));
        try {
            (void)ReadInstalledThemes(program.Path());
            ADD_FAILURE() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(e.Message,
                      QStringLiteral("The theme files disagree: Res.ini counts %1 themes on its "
                                     "first line, but the theme catalogue Themes.ini (%2) holds 2. "
                                     "Correct the first line of Res.ini to 2, or put back the "
                                     "catalogue that belongs to it.")
                          .arg(count)
                          .arg(CataloguePath(program.Path())));
        }
    }
}
