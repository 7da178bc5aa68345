#include "platform/SingleInstance.h"
#include "platform/ui/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr int WaitMs = 15000;

QString WriteBytesTo(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}

// Copies of the program started with their own runtime and data folders, so the marker and the
// file-type registration stay inside the test's folder.
class ProgramCopies : public ::testing::Test {
protected:
    QTemporaryDir dir;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void TearDown() override {
        for (QProcess* p : started) {
            p->kill();
            p->waitForFinished(WaitMs);
            delete p;
        }
    }
    QProcess* Start(const QStringList& arguments = {}) {
        auto* p = new QProcess;
        started.push_back(p);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", dir.path());
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SDL_AUDIODRIVER", "dummy");
        p->setProcessEnvironment(env);
        p->start(KREL_PROGRAM_DIR "/krel-album", QStringList{"--no-splash"} + arguments);
        EXPECT_TRUE(p->waitForStarted(WaitMs));
        return p;
    }
    QString Marker() const { return dir.filePath(InstanceMarkerName); }
    // The process id written in the marker, 0 while there is none.
    qint64 MarkerOwner() const {
        QFile f(Marker());
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        return f.readLine().trimmed().toLongLong();
    }
    // Waits (with a bound) until the marker names pid.
    bool WaitForOwner(qint64 pid) const {
        const QDeadlineTimer deadline(WaitMs);
        while (MarkerOwner() != pid && !deadline.hasExpired())
            QThread::msleep(20);
        return MarkerOwner() == pid;
    }
    std::vector<QProcess*> started;
};

TEST_F(ProgramCopies, ASecondCopyEndsAtOnceAndAKilledCopyDoesNotBlock) {
    QProcess* first = Start();
    ASSERT_TRUE(WaitForOwner(first->processId()));

    QProcess* second = Start();
    ASSERT_TRUE(second->waitForFinished(WaitMs));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_EQ(MarkerOwner(), first->processId());

    first->kill(); // SIGKILL: the marker stays behind
    ASSERT_TRUE(first->waitForFinished(WaitMs));
    ASSERT_TRUE(QFile::exists(Marker()));

    // An album argument that names no file is ignored: the program starts as without one.
    QProcess* third = Start({dir.filePath("missing.kpa")});
    EXPECT_TRUE(WaitForOwner(third->processId()));
    EXPECT_EQ(third->state(), QProcess::Running);
}

TEST(SingleInstance, TheHolderKeepsItUntilReleased) {
    QTemporaryDir dir;
    {
        SingleInstance first(dir.path());
        ASSERT_TRUE(first.TryAcquire());
        EXPECT_TRUE(first.TryAcquire());
        EXPECT_TRUE(QFile::exists(dir.filePath("UnikumString0.1")));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("UnikumString0.1")));
    SingleInstance again(dir.path());
    EXPECT_TRUE(again.TryAcquire());
}

TEST(SingleInstance, AHeldMarkerRefusesOthersAndALeftOverOneDoesNot) {
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    ASSERT_TRUE(first.TryAcquire());
    SingleInstance second(dir.path());
    EXPECT_FALSE(second.TryAcquire());

    // What a crashed copy leaves: a marker without its lock, whatever it says. The process id
    // in it may even name a running process (a reused id, here this one).
    QTemporaryDir left;
    const std::pair<const char*, QByteArray> leftovers[] = {
        {"empty", ""},
        {"garbage", "\x01\x02 not a marker"},
        {"running process id", QByteArray::number(qint64(::getpid())) + "\nkrel-album\n"},
    };
    for (const auto& [name, bytes] : leftovers) {
        WriteBytesTo(left.filePath(InstanceMarkerName), bytes);
        SingleInstance next(left.path());
        EXPECT_TRUE(next.TryAcquire()) << name;
    }
}

// The marker folder belongs to the user who runs the program: a runtime folder that is not this
// user's own (left over from another user's session) is passed over for a private folder
// whose name carries the user id.
TEST(SingleInstance, TheMarkerFolderIsTheUsersOwn) {
    QTemporaryDir temp;
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTemp = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        qputenv("TMPDIR", savedTemp);
    });
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString own = temp.filePath(QStringLiteral("krel-album-%1").arg(::getuid()));

    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(DefaultMarkerFolder(), runtime.path());

    const QString notAFolder = WriteBytesTo(temp.filePath("file"), "x");
    for (const QString& unusable :
         {QString(), QStringLiteral("relative/run"), notAFolder, temp.filePath("missing")}) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(unusable));
        EXPECT_EQ(DefaultMarkerFolder(), own) << qPrintable(unusable);
        EXPECT_EQ(QFile::permissions(own) & 0x0077, 0) << "private";
    }
    if (::getuid() == 0)
        return; // root owns and may write every folder
    qputenv("XDG_RUNTIME_DIR", "/");
    EXPECT_EQ(DefaultMarkerFolder(), own);
}

// A later start asks the running copy to come to the front through the channel beside the marker.
TEST(InstanceChannel, ALaterStartsRequestReachesTheRunningCopy) {
    QTemporaryDir dir;
    SingleInstance marker(dir.path());
    ASSERT_TRUE(marker.TryAcquire());
    EXPECT_FALSE(InstanceChannel::AskToRaise(marker.ChannelPath(), 1000)); // nobody listens yet

    // A socket file that an ended copy left behind is replaced.
    {
        InstanceChannel ended;
        ASSERT_TRUE(ended.Listen(marker.ChannelPath()));
    }
    WriteBytesTo(marker.ChannelPath(), "left over");
    InstanceChannel channel;
    ASSERT_TRUE(channel.Listen(marker.ChannelPath()));
    QSignalSpy raised(&channel, &InstanceChannel::RaiseRequested);
    EXPECT_TRUE(InstanceChannel::AskToRaise(marker.ChannelPath(), 5000));
    EXPECT_TRUE(raised.wait(WaitMs));
    EXPECT_EQ(raised.count(), 1);
}

} // namespace
