#include "album/AlbumSave.h"

#include "album/Album.h"
#include "album/AlbumFile.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

class AlbumSaveTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    AlbumSession session;
    ScriptedDialogs dialogs;

    void SetUp() override {
        TAlbum& a = session.Album;
        a.Name = "old";
        a.ThemeName = "Classic";
        a.Orientation = OrientationVertical;
        for (int i = 0; i < 3; ++i) {
            TFoto f;
            f.FileName = QStringLiteral("/pictures/%1.jpg").arg(i);
            f.Note = QStringLiteral("note %1").arg(i);
            a.Fotos << f;
        }
        a.Count = 3;
        ComputeDerivedNumbers(a);
    }
};

} // namespace

TEST_F(AlbumSaveTest, ExtensionIsComparedCaseSensitively) {
    const struct {
        const char *chosen, *written, *name;
    } cases[] = {
        {"holiday", "holiday.kpa", "holiday"},
        {"holiday.kpa", "holiday.kpa", "holiday.kpa"},
        {"HOLIDAY.KPA", "HOLIDAY.KPA.kpa", "HOLIDAY.KPA"},
        {"trip.2024", "trip.2024.kpa", "trip.2024"},
    };
    for (const auto& c : cases) {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        dialogs.Messages.clear();
        session.AlbumSaved = false;
        EXPECT_TRUE(SaveDialog1CanClose(session, dialogs, dir.filePath(c.chosen)));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{c.written}) << c.chosen;
        EXPECT_EQ(session.Album.Name, c.name);
        EXPECT_EQ(ReadLines(dir.filePath(c.written)).value(2), c.name);
        EXPECT_EQ(dialogs.Messages,
                  (QVector<ShownMessage>{{QStringLiteral("File: %1 save successfully").arg(c.name),
                                          MessageKind::Information, MessageButtons::Yes}}));
        EXPECT_TRUE(session.AlbumSaved);
    }
}

TEST_F(AlbumSaveTest, SaveCommandOffersTheLastNameAndCancelWritesNothing) {
    session.SaveDialogFileName = dir.filePath("before.kpa");
    SaveAlbumCommand(session, dialogs); // cancelled
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(session.AlbumSaved);
    dialogs.FileAnswers << dir.filePath("trip");
    SaveAlbumCommand(session, dialogs);
    ASSERT_EQ(dialogs.FileDialogs.size(), 2);
    EXPECT_EQ(dialogs.FileDialogs[0].FileName, dir.filePath("before.kpa"));
    EXPECT_EQ(dialogs.FileDialogs[0].Filter, "Krel Photo Album|*.kpa");
    EXPECT_EQ(session.SaveDialogFileName, dir.filePath("trip"));
    EXPECT_EQ(ReadAll(dir.filePath("trip.kpa")), AlbumFileBytes(session.Album));
}

TEST_F(AlbumSaveTest, FailedWriteLeavesTheOldFileWhole) {
    const QString target = dir.filePath("holiday.kpa");
    const QByteArray old = "old album contents\r\n";
    WriteBytes(target, old);
    // Let no file grow past 100 bytes: the write fails part-way through the album.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = SaveDialog1CanClose(session, dialogs, target);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadAll(target), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"holiday.kpa"});
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains(target));
    EXPECT_FALSE(session.AlbumSaved);
    EXPECT_EQ(session.Album.Name, "old");
}

TEST_F(AlbumSaveTest, RewriteRunsOnlyForAPendingAlbum) {
    RewritePendingAlbum(session, dialogs);
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_FALSE(session.AlbumSaved);

    session.PendingResavePath = dir.filePath("trip.kpa");
    RewritePendingAlbum(session, dialogs);
    EXPECT_EQ(dialogs.Texts(), QStringList{"File: trip.kpa save successfully"});
    EXPECT_EQ(ReadAll(dir.filePath("trip.kpa")), AlbumFileBytes(session.Album));
    EXPECT_EQ(session.SaveDialogFileName, dir.filePath("trip.kpa"));
    EXPECT_TRUE(session.PendingResavePath.isEmpty());
    EXPECT_TRUE(session.AlbumSaved);
}

TEST_F(AlbumSaveTest, ExitAsksOnlyWhileUnsaved) {
    const struct {
        bool saved;
        MessageResult answer;
        bool closes;
        int asked;
    } cases[] = {{true, MessageResult::No, true, 0},
                 {false, MessageResult::Yes, true, 1},
                 {false, MessageResult::No, false, 1}};
    for (const auto& c : cases) {
        ScriptedDialogs d;
        d.MessageAnswers << c.answer;
        session.AlbumSaved = c.saved;
        EXPECT_EQ(ConfirmExit(session, d), c.closes);
        ASSERT_EQ(d.Messages.size(), c.asked);
        if (c.asked) {
            EXPECT_EQ(d.Messages[0],
                      (ShownMessage{"Are you sure want to quit without saving?",
                                    MessageKind::Confirmation, MessageButtons::YesNoDefaultNo}));
        }
    }
}
