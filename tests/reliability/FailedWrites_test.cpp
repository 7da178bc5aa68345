// A write that fails part-way (a full disk) loses nothing: the old file stays whole, no temporary
// file is left behind, the user sees one message naming the file, and what the program keeps in
// memory still says what is on disk.

#include "../output/OutputFixture.h"
#include "FullDisk.h"
#include "album/Album.h"
#include "album/AlbumFile.h"
#include "album/AlbumSave.h"
#include "app/ui/GenericErrors.h"
#include "output/PageExport.h"
#include "output/PageFiles.h"
#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"
#include "themes/Settings.h"
#include "themes/Themes.h"
#include "themes/ui/Preferences.h"
#include "view/AlbumEditing.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const QString DiskFull = QStringLiteral("No space left on device");

QByteArray Bytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Where a write of `size` bytes can stop: before the first byte, after it, half-way, one short.
QVector<qint64> CutPoints(qint64 size) {
    return {0, 1, size / 2, size - 1};
}

// One message, an error, naming the file and the reason.
void ExpectOneWriteError(const ScriptedDialogs& dialogs, const QString& file) {
    ASSERT_EQ(dialogs.Messages.size(), 1) << dialogs.Texts().join(" | ").toStdString();
    EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains(file)) << dialogs.Messages[0].Text.toStdString();
    EXPECT_TRUE(dialogs.Messages[0].Text.contains(DiskFull));
}

TAlbum ThreePictureAlbum(const QString& name) {
    TAlbum album;
    album.Name = name;
    album.ThemeName = QStringLiteral("Classic");
    album.CoverPath = QStringLiteral("\\Themes\\Classic\\Cover.jpg");
    album.LeftPath = QStringLiteral("\\Themes\\Classic\\Left.jpg");
    album.RightPath = QStringLiteral("\\Themes\\Classic\\Right.jpg");
    album.BackPath = QStringLiteral("\\Themes\\Classic\\Back.jpg");
    album.Orientation = OrientationHorizontal;
    for (int i = 0; i < 3; ++i) {
        TFoto foto;
        foto.FileName = QStringLiteral("/pictures/%1.jpg").arg(i);
        foto.Note = QStringLiteral("note %1").arg(i);
        album.Fotos << foto;
    }
    album.Count = 3;
    album.IndexPages = 1;
    return album;
}

} // namespace

TEST(FailedWrite, AlbumSaveAndAutomaticRewriteKeepTheOldFile) {
    for (const bool rewrite : {false, true}) {
        QTemporaryDir dir;
        const QString file = dir.filePath("holiday.kpa");
        TAlbum old = ThreePictureAlbum("holiday.kpa");
        old.Fotos.resize(1);
        old.Count = 1;
        WriteAlbumFile(file, old);
        const QByteArray before = Bytes(file);
        const QByteArray wanted = AlbumFileBytes(ThreePictureAlbum("holiday.kpa"));

        for (const qint64 cut : CutPoints(wanted.size())) {
            SCOPED_TRACE((rewrite ? "rewrite, cut at " : "save, cut at ") + std::to_string(cut));
            AlbumSession session;
            session.Album = ThreePictureAlbum("old name");
            ScriptedDialogs dialogs;
            {
                FullDisk disk("holiday.kpa", cut);
                if (rewrite) {
                    session.PendingResavePath = file;
                    RewritePendingAlbum(session, dialogs);
                } else {
                    EXPECT_FALSE(SaveDialog1CanClose(session, dialogs, file));
                }
            }
            EXPECT_EQ(Bytes(file), before);
            EXPECT_EQ(FilesIn(dir.path()), QStringList{"holiday.kpa"});
            ExpectOneWriteError(dialogs, file);
            EXPECT_FALSE(session.AlbumSaved);
            EXPECT_EQ(session.Album.Name, "old name");
            // A rewrite that did not happen is still due.
            EXPECT_EQ(session.PendingResavePath, rewrite ? file : QString());
        }
    }
}

TEST(FailedWrite, SettingsWritersOfThePreferencesWindowKeepResIni) {
    const QByteArray res = "1\r\n1\r\n7\r\nkept\r\n-\r\n1205x1795 - 10x15\r\n";
    struct Case {
        const char* name;
        std::function<void(TPreferences&)> apply;
    };
    const Case cases[] = {
        {"slideshow settings",
         [](TPreferences& p) {
             p.RadioButton1->setChecked(true);
             p.Edit2->setText("9");
             p.Button5->setEnabled(true); // as typing in the field does
             p.Button5->click();
         }},
        {"size list",
         [](TPreferences& p) {
             p.Button7->click(); // the default sizes
             p.Button8->click();
         }},
    };
    for (const Case& c : cases) {
        for (const qint64 cut : CutPoints(res.size())) {
            SCOPED_TRACE(std::string(c.name) + ", cut at " + std::to_string(cut));
            TempProgramFolder program;
            WriteBytes(SettingsPath(program.Path()), res);
            WriteBytes(CataloguePath(program.Path()), JoinLines({"A", "r", "l", "c", "b", "p"}));
            const QStringList files = FilesIn(program.Path());
            ScriptedDialogs dialogs;
            AppContext context;
            context.ProgramFolder = program.Path();
            context.Dialogs = &dialogs;
            TPreferences prefs(context, nullptr, [] {});
            prefs.FormShow();
            {
                FullDisk disk("Res.ini", cut);
                c.apply(prefs);
            }
            EXPECT_EQ(Bytes(SettingsPath(program.Path())), res);
            EXPECT_EQ(FilesIn(program.Path()), files);
            ExpectOneWriteError(dialogs, SettingsPath(program.Path()));
        }
    }
}

// Adding and removing a theme write Themes.ini and then Res.ini; whichever write fails, both
// files stay as they were and the theme count the wizard reads is unchanged.
TEST(FailedWrite, ThemeAddAndRemoveKeepCatalogueAndCountTogether) {
    const QStringList installed{"A", "r", "l", "c", "b", "p", "B", "r2", "l2", "c2", "b2", "p2"};
    const QByteArray res = "2\r\n0\r\n5\r\n-\r\n1205x1795 - 10x15\r\n";
    for (const bool add : {true, false}) {
        for (const char* failing : {"Themes.ini", "Res.ini", "Themes1.ini"}) {
            if (add && QLatin1String(failing) == QLatin1String("Themes1.ini"))
                continue; // adding never writes the copy
            for (const qint64 cut : {0, 1, 5}) {
                SCOPED_TRACE(std::string(add ? "add" : "remove") + ", " + failing + " cut at " +
                             std::to_string(cut));
                TempProgramFolder program;
                const QString catalogue = CataloguePath(program.Path());
                WriteBytes(SettingsPath(program.Path()), res);
                WriteBytes(catalogue, JoinLines(installed));
                const QString themeFile =
                    add ? WriteThemeFolder(program, "C")
                        : WriteBytes(program.File("Src/B/Theme.ini"), JoinLines({"B"}));
                const QStringList files = FilesIn(program.Path());
                ScriptedDialogs dialogs;
                AppContext context;
                context.ProgramFolder = program.Path();
                context.Dialogs = &dialogs;
                int themesRead = 0;
                TPreferences prefs(context, nullptr, [&] { ++themesRead; });
                prefs.FormShow();
                prefs.Edit1->setText(themeFile);
                {
                    FullDisk disk(failing, cut);
                    (add ? prefs.Button2 : prefs.Button3)->click();
                }
                EXPECT_EQ(Bytes(catalogue), JoinLines(installed));
                EXPECT_EQ(Bytes(SettingsPath(program.Path())), res);
                EXPECT_EQ(FilesIn(program.Path()), files);
                ExpectOneWriteError(dialogs, program.Path() + failing);
                EXPECT_EQ(themesRead, 0);
                EXPECT_EQ(ReadInstalledThemes(program.Path()).size(), 2);
            }
        }
    }
}

// A turned or mirrored picture is written over its file: a JPEG whose size allows a lossless
// turn, one that is decoded and encoded again, and a BMP.
TEST(FailedWrite, TransformedPictureKeepsTheOldFileAndTheEntry) {
    struct Case {
        const char* file;
        int w, h;
    };
    const Case cases[] = {
        {"lossless.jpg", 64, 32}, {"reencoded.jpg", 50, 30}, {"picture.bmp", 40, 30}};
    for (const Case& c : cases) {
        for (const qint64 cut : {0, 1, 200}) {
            SCOPED_TRACE(std::string(c.file) + ", cut at " + std::to_string(cut));
            QTemporaryDir dir;
            const QString path = WritePicture(dir.filePath(c.file), c.w, c.h);
            const QByteArray before = Bytes(path);
            AlbumSession session;
            TAlbum& album = session.Album;
            album.Orientation = OrientationVertical;
            album.LeftFrame1 = {10, 10, 110, 160};
            album.RightFrame1 = {210, 10, 310, 160};
            TFoto foto;
            foto.FileName = path;
            foto.Rect = {10, 60, 110, 110};
            foto.Picture = MakeImage(100, 50);
            album.Fotos << foto;
            album.Count = 1;
            ComputeDerivedNumbers(album);
            const qint64 thumbnail = foto.Picture.cacheKey();
            ScriptedDialogs dialogs;
            {
                FullDisk disk(c.file, cut);
                EXPECT_FALSE(RunGuarded(
                    &dialogs, [&] { TransformPicture(session, 0, PictureTransform::Rotate90CW); }));
            }
            EXPECT_EQ(Bytes(path), before);
            EXPECT_EQ(FilesIn(dir.path()), QStringList{c.file});
            ExpectOneWriteError(dialogs, path);
            EXPECT_EQ(album.Fotos[0].Rect, foto.Rect);
            EXPECT_EQ(album.Fotos[0].Picture.cacheKey(), thumbnail);
            EXPECT_FALSE(session.AlbumSaved);
        }
    }
}

// Pages saved as pictures over the files of an earlier save: one page, and every page with the
// write of one page in the middle failing.
TEST(FailedWrite, SavedPagesKeepTheOldFiles) {
    TempProgramFolder folder;
    WriteTheme(folder);
    const TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    const PageSaveSettings settings{folder.Path(), &album, QSize(300, 450), 10};
    OutputPen pen;
    const auto oldFiles = [](const QString& dir, const QStringList& names) {
        QMap<QString, QByteArray> bytes;
        for (const QString& name : names)
            bytes[name] = Bytes(WritePicture(QDir(dir).filePath(name), 20, 30));
        return bytes;
    };
    for (const qint64 cut : {0, 1, 1000}) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        QTemporaryDir one;
        const QString path = QDir(one.path()).filePath("page.jpg");
        const QMap<QString, QByteArray> before = oldFiles(one.path(), {"page.jpg"});
        ScriptedDialogs dialogs;
        RecordingProgress progress;
        {
            FullDisk disk("page.jpg", cut);
            EXPECT_FALSE(RunGuarded(
                &dialogs, [&] { SaveOnePage(settings, 2, PageSide::Right, path, progress, pen); }));
        }
        EXPECT_EQ(Bytes(path), before["page.jpg"]);
        EXPECT_EQ(FilesIn(one.path()), QStringList{"page.jpg"});
        ExpectOneWriteError(dialogs, path);
        EXPECT_EQ(progress.Closed, 1);

        QTemporaryDir all;
        QStringList names;
        for (const PageFile& file : AllPageFiles("B", album.SpreadCount))
            names << file.Name;
        const QMap<QString, QByteArray> earlier = oldFiles(all.path(), names);
        dialogs.Messages.clear();
        {
            FullDisk disk("B2_L.jpg", cut);
            EXPECT_FALSE(RunGuarded(
                &dialogs, [&] { SaveAllPages(settings, all.path(), "B", progress, pen); }));
        }
        names.sort();
        EXPECT_EQ(FilesIn(all.path()), names);
        ExpectOneWriteError(dialogs, QDir(all.path()).filePath("B2_L.jpg"));
        // The pages before the failing one are new; it and every later one are the old files.
        for (const char* kept : {"B2_L.jpg", "B2_R.jpg", "B3_L.jpg", "B3_R.jpg", "B4_R.jpg"})
            EXPECT_EQ(Bytes(QDir(all.path()).filePath(kept)), earlier[kept]) << kept;
        EXPECT_NE(Bytes(QDir(all.path()).filePath("B1_R.jpg")), earlier["B1_R.jpg"]);
    }
}

// A write the system stops part-way (here a file size limit, as a full disk would) names the
// system's reason, whatever the size of the data, and keeps the old file.
TEST(FailedWrite, APartWayFailureOfTheSystemNamesItsRealCause) {
    QTemporaryDir dir;
    const QString file = dir.filePath("big.kpa");
    WriteBytes(file, "old");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a signal
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QStringList messages;
    for (const qint64 size : {qint64(100), qint64(64 * 1024 + 1), qint64(1024 * 1024)}) {
        try {
            WriteFileAtomic(file, QByteArray(size, 'x'));
            messages << QStringLiteral("written");
        } catch (const IoError& e) {
            messages << e.Message;
        }
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], "written");
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(messages[i], QStringLiteral("Cannot write %1: %2").arg(file, tooLarge))
            << messages[i].toStdString();
    EXPECT_EQ(Bytes(file), QByteArray(100, 'x'));
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"big.kpa"});
}
