#include "themes/Settings.h"

#include "platform/Errors.h"
#include "tests/support/Fixtures.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

// Readable failures for QString values.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

struct ResFolder {
    TempProgramFolder folder;
    explicit ResFolder(const QByteArray& bytes) { WriteBytes(SettingsPath(folder.Path()), bytes); }
    [[nodiscard]] QString Path() const { return folder.Path(); }
    [[nodiscard]] QByteArray Bytes() const { return FileBytes(SettingsPath(folder.Path())); }
};

const QByteArray Installed = "2\r\n0\r\n5\r\nkept line\r\n-\r\n1205x1795 - 10x15\r\n"
                             "1500x2102 - 13x18\r\n";

} // namespace

TEST(SettingsRead, OnlyExactlyZeroMeansForward) {
    struct Case {
        QByteArray line2;
        bool forward;
    };
    const Case cases[] = {{"0", true},   {"1", false},  {"", false},
                          {"00", false}, {" 0", false}, {"0 ", false}};
    for (const Case& c : cases) {
        ResFolder res("3\r\n" + c.line2 + "\r\n7\r\n-\r\n");
        EXPECT_EQ(ReadSlideSettings(res.Path()).Forward, c.forward) << c.line2.constData();
        EXPECT_EQ(ReadSlideSettingsText(res.Path()).Interval, "7");
    }
}

TEST(SettingsRead, IntervalMustBeAnInteger) {
    ResFolder good("1\r\n0\r\n12\r\n-\r\n");
    EXPECT_EQ(ReadSlideSettings(good.Path()).IntervalSeconds, 12);
    for (const QByteArray& interval : {QByteArray("abc"), QByteArray(""), QByteArray(" 5")}) {
        ResFolder res("1\r\n0\r\n" + interval + "\r\n-\r\n");
        EXPECT_THROW((void)ReadSlideSettings(res.Path()), ConversionError) << interval.constData();
        // The preferences window shows the text as it stands.
        EXPECT_EQ(ReadSlideSettingsText(res.Path()).Interval, QString::fromUtf8(interval));
    }
}

TEST(SettingsRead, ThemeCountAndMissingFile) {
    ResFolder res(Installed);
    EXPECT_EQ(ReadThemeCount(res.Path()), 2);
    ResFolder bad("two\r\n0\r\n5\r\n");
    EXPECT_THROW((void)ReadThemeCount(bad.Path()), ConversionError);
    TempProgramFolder empty;
    EXPECT_THROW((void)ReadThemeCount(empty.Path()), IoError);
    EXPECT_THROW((void)ReadPictureSizes(empty.Path()), IoError);
    EXPECT_THROW(WriteSlideSettings(empty.Path(), true, "5"), IoError);
}

TEST(SettingsRead, SizeEntriesFollowTheFirstSeparator) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QStringList sizes;
    };
    const Case cases[] = {
        {"installed", Installed, {"1205x1795 - 10x15", "1500x2102 - 13x18"}},
        {"no separator", "1\r\n0\r\n5\r\n1205x1795 - 10x15\r\n", {}},
        {"empty line is an entry", "1\r\n0\r\n5\r\n-\r\na\r\n\r\nb", {"a", "", "b"}},
        {"interval typed as -", "1\r\n0\r\n-\r\n-\r\na\r\n", {"-", "a"}},
        {"bare LF", "1\n0\n5\n-\na\n", {"a"}},
        {"separator last", "1\r\n0\r\n5\r\n-\r\n", {}},
        {"blank is not a separator", "1\r\n0\r\n5\r\n- \r\na\r\n", {}},
    };
    for (const Case& c : cases) {
        ResFolder res(c.bytes);
        EXPECT_EQ(ReadPictureSizes(res.Path()), c.sizes) << c.name;
    }
}

TEST(PictureSizeEntry, FormatsAndParses) {
    struct Case {
        int w, h;
        const char* text;
    };
    const Case cases[] = {{1205, 1795, "1205x1795 - 10x15"},
                          {100, 150, "100x150 - 0x1"},
                          {6667, 10000, "6667x10000 - 56x84"},
                          {117, 118, "117x118 - 0x1"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatPictureSize(c.w, c.h), c.text);
        const PictureSize size = ParsePictureSize(c.text);
        EXPECT_EQ(size.Width, c.w) << c.text;
        EXPECT_EQ(size.Height, c.h) << c.text;
    }
    EXPECT_EQ(DefaultPictureSizes(),
              QStringList({"1205x1795 - 10x15", "1500x2102 - 13x18", "2398x3602 - 20x30"}));
}

TEST(PictureSizeEntry, HeightEndsAtTheFirstBlankOrTheEnd) {
    EXPECT_EQ(ParsePictureSize("640x480 anything").Height, 480);
    EXPECT_EQ(ParsePictureSize("640x480").Height, 480);
    for (const char* bad : {"", "640", "x480 - 1x1", "640x - 5x4", "6 40x480 - 1x1", "axb - c"})
        EXPECT_THROW((void)ParsePictureSize(bad), ConversionError) << bad;
}

TEST(SettingsWrite, ThemeCountKeepsEveryOtherLine) {
    ResFolder res("2\r\n0\r\n5\r\nkept line\r\n-\r\n1205x1795 - 10x15"); // no final CR LF
    ChangeThemeCount(res.Path(), 1);
    EXPECT_EQ(res.Bytes(), "3\r\n0\r\n5\r\nkept line\r\n-\r\n1205x1795 - 10x15\r\n");
    ChangeThemeCount(res.Path(), -2);
    EXPECT_EQ(ReadThemeCount(res.Path()), 1);

    ResFolder bad("x\r\n0\r\n5\r\n");
    EXPECT_THROW(ChangeThemeCount(bad.Path(), 1), ConversionError);
    EXPECT_EQ(bad.Bytes(), "x\r\n0\r\n5\r\n");
}

TEST(SettingsWrite, SlideSettingsChangeOnlyLinesTwoAndThree) {
    ResFolder res(Installed);
    WriteSlideSettings(res.Path(), false, "abc");
    EXPECT_EQ(res.Bytes(), "2\r\n1\r\nabc\r\nkept line\r\n-\r\n1205x1795 - 10x15\r\n"
                           "1500x2102 - 13x18\r\n");
    EXPECT_THROW((void)ReadSlideSettings(res.Path()), ConversionError);
    WriteSlideSettings(res.Path(), true, "12");
    EXPECT_EQ(ReadSlideSettings(res.Path()).IntervalSeconds, 12);
    EXPECT_TRUE(ReadSlideSettings(res.Path()).Forward);
}

TEST(SettingsWrite, ShortFileGetsTheLinesItLacks) {
    struct Case {
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"", "0\r\n0\r\n9\r\n"}, {"4\r\n", "4\r\n0\r\n9\r\n"}, {"4\r\n1", "4\r\n0\r\n9\r\n"}};
    for (const Case& c : cases) {
        ResFolder res(c.before);
        WriteSlideSettings(res.Path(), true, "9");
        EXPECT_EQ(res.Bytes(), c.after) << c.before.constData();
    }
}

TEST(SettingsWrite, SizeListReplacesOnlyTheLinesAfterTheSeparator) {
    struct Case {
        const char* name;
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"installed", Installed, "2\r\n0\r\n5\r\nkept line\r\n-\r\n100x150 - 0x1\r\n"},
        {"no separator: unchanged", "1\r\n0\r\n5\r\nold\r\n", "1\r\n0\r\n5\r\nold\r\n"},
        {"first separator wins", "1\r\n0\r\n-\r\n-\r\nold\r\n", "1\r\n0\r\n-\r\n100x150 - 0x1\r\n"},
    };
    for (const Case& c : cases) {
        ResFolder res(c.before);
        WritePictureSizes(res.Path(), {"100x150 - 0x1"});
        EXPECT_EQ(res.Bytes(), c.after) << c.name;
    }
}

TEST(SettingsWrite, EmptySizeListIsRefusedAndTheFileKept) {
    ResFolder res(Installed);
    EXPECT_THROW(WritePictureSizes(res.Path(), {}), KrelError);
    EXPECT_EQ(res.Bytes(), Installed);
}

// A Res.ini made on Windows: 8-bit lines between the interval and the separator and after it,
// and a UTF-8 one. Every writer keeps the bytes of the lines it does not own.
TEST(SettingsWrite, EveryWriterKeepsTheBytesOfTheLinesItDoesNotChange) {
    const QByteArray before =
        "2\r\n0\r\n5\r\ncaf\xE9\r\nW\xC3\xB6od\r\n-\r\n1205x1795 - 10x15 \xB5\r\n";
    struct Case {
        const char* name;
        std::function<void(const QString&)> write;
        QByteArray after;
    };
    const Case cases[] = {
        {"theme added", [](const QString& p) { ChangeThemeCount(p, 1); },
         "3\r\n0\r\n5\r\ncaf\xE9\r\nW\xC3\xB6od\r\n-\r\n1205x1795 - 10x15 \xB5\r\n"},
        {"theme removed", [](const QString& p) { ChangeThemeCount(p, -1); },
         "1\r\n0\r\n5\r\ncaf\xE9\r\nW\xC3\xB6od\r\n-\r\n1205x1795 - 10x15 \xB5\r\n"},
        {"slideshow applied", [](const QString& p) { WriteSlideSettings(p, false, "9"); },
         "2\r\n1\r\n9\r\ncaf\xE9\r\nW\xC3\xB6od\r\n-\r\n1205x1795 - 10x15 \xB5\r\n"},
        {"sizes applied", [](const QString& p) { WritePictureSizes(p, {"100x150 - 0x1"}); },
         "2\r\n0\r\n5\r\ncaf\xE9\r\nW\xC3\xB6od\r\n-\r\n100x150 - 0x1\r\n"},
        {"sizes applied as read",
         [](const QString& p) { WritePictureSizes(p, ReadPictureSizes(p)); }, before},
    };
    for (const Case& c : cases) {
        ResFolder res(before);
        c.write(res.Path());
        EXPECT_EQ(res.Bytes(), c.after) << c.name;
    }
    // What is read shows the 8-bit text as Windows wrote it.
    ResFolder res(before);
    EXPECT_EQ(ReadPictureSizes(res.Path()),
              QStringList{QString::fromUtf8("1205x1795 - 10x15 \xC2\xB5")});
}

TEST(SettingsWrite, AnIntervalOrSizeWithALineBreakIsRefusedAndTheFileKept) {
    for (const QString& interval : {QString("7\n-\nINJECTED"), QString("7\r\n"), QString("\r")}) {
        ResFolder res(Installed);
        EXPECT_THROW(WriteSlideSettings(res.Path(), true, interval), KrelError);
        EXPECT_EQ(res.Bytes(), Installed);
    }
    ResFolder res(Installed);
    EXPECT_THROW(WritePictureSizes(res.Path(), {"100x150 - 0x1\n-"}), KrelError);
    EXPECT_EQ(res.Bytes(), Installed);
}

TEST(SettingsRead, ConversionErrorsNameResIniAndTheLine) {
    const struct {
        QByteArray bytes;
        std::function<void(const QString&)> read;
        const char* message;
    } cases[] = {
        {"two\r\n0\r\n5\r\n", [](const QString& p) { (void)ReadThemeCount(p); },
         "'two' is not a valid integer value (Res.ini, line 1)"},
        {"2\r\n0\r\nabc\r\n", [](const QString& p) { (void)ReadSlideSettings(p); },
         "'abc' is not a valid integer value (Res.ini, line 3)"},
        {"x\r\n0\r\n5\r\n", [](const QString& p) { ChangeThemeCount(p, 1); },
         "'x' is not a valid integer value (Res.ini, line 1)"},
    };
    for (const auto& c : cases) {
        ResFolder res(c.bytes);
        try {
            c.read(res.Path());
            ADD_FAILURE() << c.message;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
}
