#include "themes/Themes.h"

#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"
#include "themes/Settings.h"
#include "themes/SkinLayout.h"

#include <QFile>
#include <gtest/gtest.h>

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

TThemes Theme(const QString& name) {
    const QString dir = QStringLiteral("Themes\\") + name + QLatin1Char('\\');
    return {name,
            dir + QStringLiteral("Cover.jpg"),
            dir + QStringLiteral("Left.jpg"),
            dir + QStringLiteral("Right.jpg"),
            dir + QStringLiteral("Back.jpg"),
            dir + QStringLiteral("Preview.jpg")};
}

// A program folder with an empty catalogue and a theme count of 0.
struct Catalogue {
    TempProgramFolder folder;
    Catalogue() {
        WriteBytes(SettingsPath(Path()), "0\r\n0\r\n5\r\n-\r\n1205x1795 - 10x15\r\n");
        WriteBytes(CataloguePath(Path()), "");
    }
    [[nodiscard]] QString Path() const { return folder.Path(); }
    // A Theme.ini of its own folder for the theme.
    [[nodiscard]] QString ThemeFile(const TThemes& theme) const {
        return WriteBytes(folder.File("Src/" + theme.Name.left(20) + "/Theme.ini"),
                          JoinLineBytes(BlockLines(theme)));
    }
    [[nodiscard]] QByteArrayList Lines() const { return ReadLineBytes(CataloguePath(Path())); }
    [[nodiscard]] int Count() const { return ReadThemeCount(Path()); }
};

} // namespace

TEST(ThemeBlock, LinesMapToFieldsInFileOrder) {
    const QByteArrayList lines = {"Name", "R", "L", "C", "B", "P"};
    const TThemes theme = ThemeFromLines(lines, 0);
    EXPECT_EQ(theme, (TThemes{"Name", "C", "L", "R", "B", "P"}));
    EXPECT_EQ(BlockLines(theme), lines);
    EXPECT_EQ(ThemeFromLines(lines, 4), (TThemes{"B", "", "", "P", "", ""}));
}

TEST(ThemeCatalogue, AddAndRemoveKeepOrderAndCount) {
    Catalogue c;
    for (const char* name : {"A", "B", "C"})
        EXPECT_EQ(AddTheme(c.Path(), c.ThemeFile(Theme(name))), AddThemeResult::Added);
    EXPECT_EQ(c.Count(), 3);
    const RemoveThemeResult removed = RemoveTheme(c.Path(), c.ThemeFile(Theme("B")));
    EXPECT_TRUE(removed.Present);
    EXPECT_EQ(removed.Dropped, 1);
    EXPECT_EQ(c.Lines(), BlockLines(Theme("A")) + BlockLines(Theme("C")));
    EXPECT_EQ(c.Count(), 2);
    EXPECT_FALSE(QFile::exists(CatalogueCopyPath(c.Path())));
    EXPECT_EQ(ReadInstalledThemes(c.Path()), (QVector<TThemes>{Theme("A"), Theme("C")}));
}

TEST(ThemeCatalogue, RefusalsChangeNothing) {
    Catalogue c;
    (void)AddTheme(c.Path(), c.ThemeFile(Theme("A")));
    const QByteArrayList before = c.Lines();

    // The same name, and a name equal to a picture path line of A: every line is compared.
    TThemes pathName = Theme("X");
    pathName.Name = Theme("A").LeftPath;
    for (const TThemes& t : {Theme("A"), pathName}) {
        EXPECT_FALSE(Control(c.Path(), t.Name)) << t.Name.toStdString();
        EXPECT_EQ(AddTheme(c.Path(), c.ThemeFile(t)), AddThemeResult::AlreadyExists)
            << t.Name.toStdString();
    }
    const RemoveThemeResult missing = RemoveTheme(c.Path(), c.ThemeFile(Theme("Z")));
    EXPECT_FALSE(missing.Present);
    EXPECT_TRUE(Control(c.Path(), "Z"));
    EXPECT_EQ(c.Lines(), before);
    EXPECT_EQ(c.Count(), 1);
}

TEST(ThemeCatalogue, NameOnlyOnAPathLineDropsNoBlockAndKeepsTheCount) {
    Catalogue c;
    (void)AddTheme(c.Path(), c.ThemeFile(Theme("A")));
    TThemes pathName = Theme("X");
    pathName.Name = Theme("A").CoverPath;
    const RemoveThemeResult r = RemoveTheme(c.Path(), c.ThemeFile(pathName));
    EXPECT_TRUE(r.Present);
    EXPECT_EQ(r.Dropped, 0);
    EXPECT_EQ(c.Lines(), BlockLines(Theme("A")));
    EXPECT_EQ(c.Count(), 1);
}

TEST(ThemeCatalogue, EveryBlockOfTheNameIsDroppedAndCounted) {
    Catalogue c;
    WriteBytes(
        CataloguePath(c.Path()),
        JoinLineBytes(BlockLines(Theme("A")) + BlockLines(Theme("B")) + BlockLines(Theme("A"))));
    WriteBytes(SettingsPath(c.Path()), "3\r\n0\r\n5\r\n-\r\n");
    EXPECT_EQ(RemoveTheme(c.Path(), c.ThemeFile(Theme("A"))).Dropped, 2);
    EXPECT_EQ(c.Lines(), BlockLines(Theme("B")));
    EXPECT_EQ(c.Count(), 1);
}

TEST(ThemeCatalogue, LongNameIsCutOnAddAndThenNotFoundOnRemove) {
    Catalogue c;
    const QString longName(300, QLatin1Char('n'));
    const QString file = c.ThemeFile(Theme(longName));
    EXPECT_EQ(AddTheme(c.Path(), file), AddThemeResult::Added);
    EXPECT_EQ(DecodeLine(c.Lines().first()), longName.left(255));
    EXPECT_FALSE(RemoveTheme(c.Path(), file).Present);
    EXPECT_EQ(c.Count(), 1);
}

TEST(ThemeCatalogue, ReadsExactlyTheCountedBlocks) {
    Catalogue c;
    WriteBytes(
        CataloguePath(c.Path()),
        JoinLineBytes(BlockLines(Theme("A")) + BlockLines(Theme("B")) + QByteArrayList{"C", "r"}));
    EXPECT_EQ(ReadCatalogue(c.Path(), 1), QVector<TThemes>{Theme("A")});
    // A count beyond the file gives the missing lines as empty text.
    const QVector<TThemes> three = ReadCatalogue(c.Path(), 3);
    ASSERT_EQ(three.size(), 3);
    EXPECT_EQ(three[2], (TThemes{"C", "", "", "r", "", ""}));
    EXPECT_TRUE(ReadCatalogue(c.Path(), 0).isEmpty());
}

TEST(ThemeCatalogue, ShortThemeFileAndMissingFiles) {
    Catalogue c;
    const QString shortFile = WriteBytes(c.folder.File("Src/Short/Theme.ini"), "S\r\nright\r\n");
    EXPECT_EQ(AddTheme(c.Path(), shortFile), AddThemeResult::Added);
    EXPECT_EQ(c.Lines(), (QByteArrayList{"S", "right", "", "", "", ""}));

    EXPECT_THROW((void)AddTheme(c.Path(), c.Path() + "nowhere/Theme.ini"), IoError);
    QFile::remove(CataloguePath(c.Path()));
    EXPECT_THROW((void)AddTheme(c.Path(), c.ThemeFile(Theme("A"))), IoError);
    EXPECT_THROW((void)ReadInstalledThemes(c.Path()), IoError);
    EXPECT_EQ(c.Count(), 1);
}

TEST(SkinLayout, AppliesLinesInOrderAndStopsAtTheFirstBadOne) {
    TempProgramFolder folder;
    const QString path = folder.File("GraphicRes/Wizard/Wizard.ini");
    ASSERT_EQ(path, WizardLayoutPath(folder.Path()));
    QByteArray bytes;
    for (int i = 1; i <= 17; ++i)
        bytes += QByteArray::number(i * 10) + "\r\n";
    WriteBytes(path, bytes);
    QList<int> seen;
    ReadSkinLayout<WizardLine>(path, [&](WizardLine line, int v) {
        EXPECT_EQ(v, (static_cast<int>(line) + 1) * 10);
        seen << v;
    });
    EXPECT_EQ(seen.size(), 16); // line 17 is not read

    WriteBytes(path, "5\r\n6\r\nseven\r\n8\r\n");
    seen.clear();
    EXPECT_THROW(ReadSkinLayout<WizardLine>(path, [&](WizardLine, int v) { seen << v; }),
                 ConversionError);
    EXPECT_EQ(seen, (QList<int>{5, 6}));
    EXPECT_THROW(ReadSkinLayout<MainLine>(MainLayoutPath(folder.Path()), [](MainLine, int) {}),
                 IoError);
}

TEST(ThemeCatalogue, UnreadableCountLeavesTheCatalogueAlone) {
    Catalogue c;
    (void)AddTheme(c.Path(), c.ThemeFile(Theme("A")));
    WriteBytes(SettingsPath(c.Path()), "one\r\n0\r\n5\r\n-\r\n");
    EXPECT_THROW((void)AddTheme(c.Path(), c.ThemeFile(Theme("B"))), ConversionError);
    EXPECT_THROW((void)RemoveTheme(c.Path(), c.ThemeFile(Theme("A"))), ConversionError);
    EXPECT_EQ(c.Lines(), BlockLines(Theme("A")));
}

// A catalogue made on Windows: an 8-bit theme name and picture path, and a UTF-8 theme.
TEST(ThemeCatalogue, AddAndRemoveKeepTheBytesOfEveryOtherLine) {
    Catalogue c;
    const QByteArray wood = "W\xF6od\r\nThemes\\W\xF6od\\R.jpg\r\nl\r\nc\r\nb\r\np\r\n";
    const QByteArray sea = "S\xC3\xA9"
                           "a\r\nr\r\nl\r\nc\r\nb\r\np\r\n";
    const QByteArray blue = "Blue\r\nr\r\nl\r\nc\r\nb\r\np\r\n";
    WriteBytes(CataloguePath(c.Path()), wood + sea + blue);
    WriteBytes(SettingsPath(c.Path()), "3\r\n0\r\n5\r\nn\xE9\r\n-\r\n");

    // The 8-bit name reads as Windows wrote it, its path keeps its bytes.
    const QVector<TThemes> themes = ReadInstalledThemes(c.Path());
    ASSERT_EQ(themes.size(), 3);
    EXPECT_EQ(themes[0].Name, QString::fromUtf8("W\xC3\xB6od"));
    EXPECT_EQ(PathBytes(themes[0].RightPath), "Themes\\W\xF6od\\R.jpg");
    EXPECT_EQ(themes[1].Name, QString::fromUtf8("S\xC3\xA9"
                                                "a"));

    // Removing a theme goes by way of Themes1.ini: its bytes are seen as the catalogue is
    // replaced by it.
    QByteArray copy;
    SetWriteLimitForTests([&](const QString& path) -> qint64 {
        if (path == CataloguePath(c.Path()))
            copy = FileBytes(CatalogueCopyPath(c.Path()));
        return -1;
    });
    const QString blueFile = WriteBytes(c.folder.File("Src/Blue/Theme.ini"), blue);
    const RemoveThemeResult removed = RemoveTheme(c.Path(), blueFile);
    SetWriteLimitForTests({});
    EXPECT_EQ(removed.Dropped, 1);
    EXPECT_EQ(copy, wood + sea);
    EXPECT_EQ(FileBytes(CataloguePath(c.Path())), wood + sea);
    EXPECT_EQ(FileBytes(SettingsPath(c.Path())), "2\r\n0\r\n5\r\nn\xE9\r\n-\r\n");

    // An 8-bit Theme.ini is installed as it stands; removing by its 8-bit name finds the block.
    const QByteArray linen = "L\xEEnen\r\nr\r\nl\r\nc\r\nb\r\np\r\n";
    const QString linenFile = WriteBytes(c.folder.File("Src/Linen/Theme.ini"), linen);
    EXPECT_EQ(AddTheme(c.Path(), linenFile), AddThemeResult::Added);
    EXPECT_EQ(FileBytes(CataloguePath(c.Path())), wood + sea + linen);
    const QString woodFile =
        WriteBytes(c.folder.File("Src/Wood/Theme.ini"), QByteArray("W\xC3\xB6od\r\n"));
    EXPECT_EQ(RemoveTheme(c.Path(), woodFile).Dropped, 1); // the same name in UTF-8
    EXPECT_EQ(FileBytes(CataloguePath(c.Path())), sea + linen);
    EXPECT_EQ(FileBytes(SettingsPath(c.Path())), "2\r\n0\r\n5\r\nn\xE9\r\n-\r\n");
}
