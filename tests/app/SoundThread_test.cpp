#include "app/SoundThread.h"
#include "platform/SoundPlayer.h"
#include "tests/support/Fixtures.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 20000;

// A mono 16-bit PCM WAV of the given length, silent.
QByteArray Wav(int milliseconds) {
    const quint32 rate = 8000;
    const quint32 data = rate * milliseconds / 1000 * 2;
    QByteArray out(44 + data, '\0');
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, out.data() + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, out.data() + at); };
    memcpy(out.data(), "RIFF", 4);
    put32(4, 36 + data);
    memcpy(out.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1); // PCM
    put16(22, 1); // mono
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    memcpy(out.data() + 36, "data", 4);
    put32(40, data);
    return out;
}

TEST(SoundThread, ClearsBothFlagsAfterPlaying) {
    struct Case {
        const char* name;
        QByteArray pageTurn; // empty: no file
        QByteArray start;
    };
    const Case cases[] = {
        {"both sounds present", Wav(60), Wav(40)},
        {"no sound files", {}, {}},
        {"damaged sound files", QByteArray("RIFF\x10\0\0\0WAVEjunk", 16), QByteArray(100, 'x')},
    };
    for (const Case& c : cases) {
        TempProgramFolder program;
        if (!c.pageTurn.isEmpty())
            WriteBytes(program.File("WavRes/1.wav"), c.pageTurn);
        if (!c.start.isEmpty())
            WriteBytes(program.File("WavRes/2.wav"), c.start);
        SoundFlags flags;
        flags.PageTurn = true;
        flags.Start = true;
        StartListTherd(flags, program.Path(), true);
        ASSERT_TRUE(flags.Running.WaitForNone(WaitMs)) << c.name;
        EXPECT_FALSE(flags.PageTurn) << c.name;
        EXPECT_FALSE(flags.Start) << c.name;
    }
}

TEST(SoundThread, SeveralThreadsAtOnceAllEnd) {
    TempProgramFolder program;
    WriteBytes(program.File("WavRes/1.wav"), Wav(30));
    SoundFlags flags;
    for (int i = 0; i < 4; ++i) {
        flags.PageTurn = true;
        StartListTherd(flags, program.Path(), true);
    }
    EXPECT_TRUE(flags.Running.WaitForNone(WaitMs));
    EXPECT_FALSE(flags.PageTurn);
}

TEST(SoundPlayer, MissingOrBadFilesAreSilent) {
    TempProgramFolder program;
    PlayWavToEnd(program.Path() + "missing.wav");
    PlayWavToEnd(WriteBytes(program.File("bad.wav"), QByteArray(64, '\0')));
    PlayWavToEnd(WriteBytes(program.File("empty.wav"), {}));
    SUCCEED();
}

} // namespace
