#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 15000;

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

} // namespace
