#include "platform/Errors.h"
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

TEST(TextLines, ShortFieldsAreCutAt255BytesOnACharacterBoundary) {
    const QString ascii(300, QLatin1Char('a'));
    EXPECT_EQ(CutShortField(ascii), QString(255, QLatin1Char('a')));
    EXPECT_EQ(CutShortField(QString(255, QLatin1Char('b'))).size(), 255);
    // 254 ASCII bytes then a two-byte character: it does not fit, and is not split.
    const QString twoByte = QString(254, QLatin1Char('c')) + QStringLiteral("éé");
    EXPECT_EQ(CutShortField(twoByte), QString(254, QLatin1Char('c')));
    // Three-byte characters: 85 of them fill exactly 255 bytes.
    const QString threeByte(100, QChar(0x20AC));
    EXPECT_EQ(CutShortField(threeByte), QString(85, QChar(0x20AC)));
    // A long line read as a short field: cut, and the rest of the line skipped.
    LineReader reader = LineReader::FromBytes(ascii.toUtf8() + "\r\nnext\r\n");
    EXPECT_EQ(reader.ReadShortLine().size(), 255);
    EXPECT_EQ(reader.ReadLine(), "next");
}

TEST(TextLines, IntegersArePlainDecimal) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt("-7"), -7);
    for (const char* bad : {"", " 1", "1 ", "x", "1.5", "99999999999"})
        EXPECT_THROW((void)ParseInt(bad), ConversionError) << bad;
}
