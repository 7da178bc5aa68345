#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TextLines, ReadsCrLfAndBareLfAndGivesEmptyPastTheEnd) {
    LineReader reader = LineReader::FromBytes("one\r\ntwo\nthree\r\n\r\nlast");
    EXPECT_EQ(reader.ReadLine(), "one");
    EXPECT_EQ(reader.ReadLine(), "two");
    EXPECT_EQ(reader.ReadLine(), "three");
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(reader.ReadLine(), "last");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(LineReader::FromBytes("a\r\nb\r\n").ReadAll(), QStringList({"a", "b"}));
}

TEST(TextLines, WritesCrLfAndReadsItBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lines.ini");
    WriteLines(path, {"Classic", "", "Ünïcode"});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Classic\r\n\r\n\xC3\x9Cn\xC3\xAF"
                                         "code\r\n"));
    EXPECT_EQ(ReadLines(path), QStringList({"Classic", "", "Ünïcode"}));
    EXPECT_THROW((void)ReadLines(dir.filePath("missing.ini")), IoError);
}

TEST(TextLines, ShortFieldsAreCutAt255CharactersWithoutSplittingOne) {
    const QString ascii(300, QLatin1Char('a'));
    EXPECT_EQ(CutShortField(ascii), QString(255, QLatin1Char('a')));
    EXPECT_EQ(CutShortField(QString(255, QLatin1Char('b'))).size(), 255);
    // Characters are counted, not bytes: 255 two-byte and three-byte characters fit.
    EXPECT_EQ(CutShortField(QString(300, QChar(0xE9))), QString(255, QChar(0xE9)));
    EXPECT_EQ(CutShortField(QString(300, QChar(0x20AC))), QString(255, QChar(0x20AC)));
    // A character beyond the 16-bit range is one character of two code units, never halved.
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString at255 = QString(254, QLatin1Char('c')) + smile + QStringLiteral("dd");
    EXPECT_EQ(CutShortField(at255), QString(254, QLatin1Char('c')) + smile);
    EXPECT_EQ(CutShortField(QString(200, QLatin1Char('c')) + smile),
              QString(200, QLatin1Char('c')) + smile);
    // A long line read as a short field: cut, and the rest of the line skipped.
    LineReader reader = LineReader::FromBytes(ascii.toUtf8() + "\r\nnext\r\n");
    EXPECT_EQ(reader.ReadShortLine().size(), 255);
    EXPECT_EQ(reader.ReadLine(), "next");
    // 8-bit characters count one each as well.
    LineReader latin = LineReader::FromBytes(QByteArray(300, '\xE9'));
    EXPECT_EQ(latin.ReadShortLine(), QString(255, QChar(0xE9)));
}

TEST(TextLines, LinesReadAsUtf8WhenValidElseWindows1252) {
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"Classic", "Classic"},
        {"caf\xC3\xA9", QString::fromUtf8("caf\xC3\xA9")},
        {"caf\xE9", QString::fromUtf8("caf\xC3\xA9")},
        {"W\xF6od", QString::fromUtf8("W\xC3\xB6od")},
        // One byte that is no UTF-8 makes the whole line 8-bit, its valid pairs too.
        {"\xC3\xA9\xE9", QString::fromUtf8("\xC3\x83\xC2\xA9\xC3\xA9")},
        {"\x80 \x9F \x85", QString::fromUtf8("\xE2\x82\xAC \xC5\xB8 \xE2\x80\xA6")},
        {"\x81\x8D", QString(QChar(0x81)) + QChar(0x8D)}, // undefined in 1252: C1 controls
        {"\xED\xA0\x80",
         QString::fromUtf8("\xC3\xAD\xC2\xA0\xE2\x82\xAC")}, // a UTF-8 surrogate is invalid
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeLine(c.bytes), c.text) << c.bytes.toHex().constData();
}

TEST(TextLines, AnUnchangedLineKeepsItsBytesAChangedOneIsUtf8) {
    EXPECT_EQ(EncodeLine(QString::fromUtf8("caf\xC3\xA9"), "caf\xE9"), "caf\xE9");
    EXPECT_EQ(EncodeLine(QString::fromUtf8("caf\xC3\xA9s"), "caf\xE9"), "caf\xC3\xA9s");
    EXPECT_EQ(EncodeLine(QString::fromUtf8("caf\xC3\xA9")), "caf\xC3\xA9");
    EXPECT_EQ(EncodeLine(QString(), "x"), "");
    EXPECT_TRUE(HasLineBreak("7\n-"));
    EXPECT_TRUE(HasLineBreak("7\r"));
    EXPECT_FALSE(HasLineBreak("7 -"));
}

TEST(FileNames, PathsKeepTheirBytesWhateverTheyAre) {
    const QByteArray cases[] = {
        "/home/u/caf\xC3\xA9.jpg",
        "/home/u/caf\xE9.jpg",
        "\xE9\xC3\xA9",
        "\xF0\x9F\x98\x80.bmp",
        "\xC0\xAF",
        "\xED\xA0\x80",
        "\xE2\x82",
        "\xFF\xFE",
        "\xF4\x90\x80\x80",
        "a\x80"
        "b",
        "",
    };
    for (const QByteArray& bytes : cases) {
        const QString path = PathFromBytes(bytes);
        EXPECT_EQ(PathBytes(path), bytes) << bytes.toHex().constData();
        EXPECT_FALSE(path.contains(QChar(QChar::ReplacementCharacter)))
            << bytes.toHex().constData();
    }
    EXPECT_EQ(PathFromBytes("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(DisplayPath(PathFromBytes("/p/caf\xE9.jpg")),
              QString::fromUtf8("/p/caf\xC3\xA9.jpg"));
    EXPECT_NE(PathFromBytes("caf\xE9"), PathFromBytes("caf\xC3\xA9"));
    // A real character whose second half looks like a kept byte is text, not a byte.
    const QString real = QString::fromUcs4(U"\U000100E9");
    EXPECT_EQ(PathBytes(real), real.toUtf8());
    EXPECT_EQ(DisplayPath(real), real);
}

TEST(FileNames, AFileNamedInEightBitBytesIsFoundReadAndWrittenByThoseBytes) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString latin = folder + PathFromBytes("caf\xE9.ini");
    const QString utf8 = folder + QString::fromUtf8("caf\xC3\xA9.ini");
    EXPECT_FALSE(IsExistingFile(latin));
    WriteLines(latin, {"one", "two"});
    EXPECT_TRUE(IsExistingFile(latin));
    EXPECT_FALSE(IsExistingFile(utf8)); // another name
    EXPECT_EQ(FileNameBytesIn(dir.path()), QByteArrayList{"caf\xE9.ini"});
    EXPECT_EQ(ReadLines(latin), QStringList({"one", "two"}));
    WriteLines(utf8, {"three"});
    EXPECT_EQ(FileNameBytesIn(dir.path()), (QByteArrayList{"caf\xC3\xA9.ini", "caf\xE9.ini"}));
    EXPECT_EQ(FileBytes(latin), "one\r\ntwo\r\n");
    EXPECT_EQ(FileBytes(utf8), "three\r\n");
    EXPECT_TRUE(RemoveFile(latin));
    EXPECT_EQ(FileNameBytesIn(dir.path()), QByteArrayList{"caf\xC3\xA9.ini"});
    try {
        (void)ReadLines(latin);
        ADD_FAILURE() << "a removed file was read";
    } catch (const IoError& e) {
        EXPECT_EQ(e.Message, "File not found: " + folder + QString::fromUtf8("caf\xC3\xA9.ini"));
    }
}

TEST(TextLines, AtomicWriteKeepsThePermissionsAndLeavesNoTemporaryFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Res.ini");
    WriteLines(path, {"1"});
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QFile::Permissions before = QFile::permissions(path);
    WriteLines(path, {"2"});
    EXPECT_EQ(QFile::permissions(path), before);
    EXPECT_FALSE(QFile::permissions(path) & QFile::ReadOther);
    EXPECT_EQ(FileNameBytesIn(dir.path()), QByteArrayList{"Res.ini"});
    EXPECT_THROW(WriteLines(dir.filePath("no/such/folder.ini"), {"x"}), IoError);
    EXPECT_EQ(FileNameBytesIn(dir.path()), QByteArrayList{"Res.ini"});
}

TEST(TextLines, ConversionErrorsNameTheFileAndLine) {
    LineReader reader = LineReader::FromBytes("1\r\n2\r\n3\r\n4\r\nabc\r\n");
    reader.SetName("Wizard.ini");
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(reader.ReadInt(), i);
    try {
        (void)reader.ReadInt();
        ADD_FAILURE() << "abc read as a number";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.Message, "'abc' is not a valid integer value (Wizard.ini, line 5)");
    }
}

TEST(TextLines, IntegersArePlainDecimal) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt("-7"), -7);
    for (const char* bad : {"", " 1", "1 ", "x", "1.5", "99999999999"})
        EXPECT_THROW((void)ParseInt(bad), ConversionError) << bad;
}
