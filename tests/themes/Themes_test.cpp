#include "themes/Themes.h"

#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"
#include "themes/Settings.h"
#include "themes/SkinLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    // A Theme.ini beside the theme's pictures, which it makes when they are missing.
    [[nodiscard]] QString ThemeFile(const TThemes& theme) const {
        for (const QString* path : {&theme.RightPath, &theme.LeftPath, &theme.CoverPath,
                                    &theme.BackPath, &theme.PreviewPath}) {
            const QString file = ResourcePath(Path(), *path);
            if (!QFile::exists(file))
                WritePicture(file, 40, 30);
        }
        const QString folder = QFileInfo(ResourcePath(Path(), theme.CoverPath)).absolutePath();
        return WriteBytes(folder + "/Theme.ini", JoinLineBytes(BlockLines(theme)));
    }
    [[nodiscard]] QByteArray Bytes(const QString& file) const { return FileBytes(file); }
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

TEST(ThemeCatalogue, NamesOf255CharactersInstallLongerOnesAreRefused) {
    Catalogue c;
    TThemes fits = Theme("F");
    fits.Name = QString(255, QChar(0xE9)); // characters count, not bytes
    EXPECT_EQ(AddTheme(c.Path(), c.ThemeFile(fits)), AddThemeResult::Added);
    EXPECT_EQ(DecodeLine(c.Lines().first()), fits.Name);
    TThemes tooLong = Theme("L");
    tooLong.Name = QString(256, QLatin1Char('n'));
    const QByteArrayList before = c.Lines();
    try {
        (void)AddTheme(c.Path(), c.ThemeFile(tooLong));
        ADD_FAILURE() << "a 256-character name installed";
    } catch (const KrelError& e) {
        EXPECT_TRUE(e.Message.contains("has 256 characters; at most 255 fit"))
            << e.Message.toStdString();
    }
    EXPECT_EQ(c.Lines(), before);
    EXPECT_EQ(c.Count(), 1);
}

TEST(ThemeCatalogue, ReadsExactlyTheCountedBlocks) {
    Catalogue c;
    WriteBytes(
        CataloguePath(c.Path()),
        JoinLineBytes(BlockLines(Theme("A")) + BlockLines(Theme("B")) + QByteArrayList{"C", "r"}));
    // A cut last block counts as a block; its missing lines are empty text.
    const QVector<TThemes> three = ReadCatalogue(c.Path(), 3);
    ASSERT_EQ(three.size(), 3);
    EXPECT_EQ(three[2], (TThemes{"C", "", "", "r", "", ""}));
    EXPECT_THROW((void)ReadCatalogue(c.Path(), 2), IoError);
}

TEST(ThemeCatalogue, ShortThemeFileAndMissingFiles) {
    Catalogue c;
    const QString shortFile = WriteBytes(c.folder.File("Src/Short/Theme.ini"), "S\r\nright\r\n");
    EXPECT_THROW((void)AddTheme(c.Path(), shortFile), KrelError);
    EXPECT_TRUE(c.Lines().isEmpty());
    (void)AddTheme(c.Path(), c.ThemeFile(Theme("B")));

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
    try {
        ReadSkinLayout<WizardLine>(path, [](WizardLine, int) {});
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.Message, "'seven' is not a valid integer value (Wizard.ini, line 3)");
    }
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
    // Its pictures are named in 8 bits too, and found by those bytes.
    const QByteArray linen =
        "L\xEEnen\r\nThemes\\Linen\\R\xE9.jpg\r\nThemes\\Linen\\L.jpg\r\n"
        "Themes\\Linen\\C.jpg\r\nThemes\\Linen\\B.jpg\r\nThemes\\Linen\\P.bmp\r\n";
    for (const QByteArray& name : {QByteArray("R\xE9.jpg"), QByteArray("L.jpg"),
                                   QByteArray("C.jpg"), QByteArray("B.jpg"), QByteArray("P.bmp")})
        WritePicture(c.folder.File("Themes/Linen/") + PathFromBytes(name), 30, 20);
    const QString linenFile = WriteBytes(c.folder.File("Themes/Linen/Theme.ini"), linen);
    EXPECT_EQ(AddTheme(c.Path(), linenFile), AddThemeResult::Added);
    EXPECT_EQ(FileBytes(CataloguePath(c.Path())), wood + sea + linen);
    const QString woodFile =
        WriteBytes(c.folder.File("Src/Wood/Theme.ini"), QByteArray("W\xC3\xB6od\r\n"));
    EXPECT_EQ(RemoveTheme(c.Path(), woodFile).Dropped, 1); // the same name in UTF-8
    EXPECT_EQ(FileBytes(CataloguePath(c.Path())), sea + linen);
    EXPECT_EQ(FileBytes(SettingsPath(c.Path())), "2\r\n0\r\n5\r\nn\xE9\r\n-\r\n");
}

// Res.ini and the catalogue must agree both ways: a count below the blocks would hide a theme,
// one above would make the wizard index past the catalogue.
TEST(ThemeCatalogue, ACountOutOfStepWithTheCatalogueIsRefusedWithOneMessage) {
    for (const int count : {0, 1, 3, -1, 2'000'000'000}) {
        SCOPED_TRACE(count);
        Catalogue c;
        WriteBytes(CataloguePath(c.Path()),
                   JoinLineBytes(BlockLines(Theme("A")) + BlockLines(Theme("B"))));
        const QByteArray res = QByteArray::number(count) + "\r\n0\r\n5\r\n-\r\n";
        WriteBytes(SettingsPath(c.Path()), res);
        try {
            (void)ReadInstalledThemes(c.Path());
            ADD_FAILURE() << "read";
        } catch (const IoError& e) {
            EXPECT_TRUE(e.Message.contains("Res.ini counts " + QString::number(count)))
                << e.Message.toStdString();
            EXPECT_TRUE(e.Message.contains("Themes.ini")) << e.Message.toStdString();
            EXPECT_TRUE(e.Message.contains("holds 2")) << e.Message.toStdString();
        }
        const QByteArray catalogue = c.Bytes(CataloguePath(c.Path()));
        EXPECT_THROW((void)AddTheme(c.Path(), c.ThemeFile(Theme("C"))), IoError);
        EXPECT_THROW((void)RemoveTheme(c.Path(), c.ThemeFile(Theme("A"))), IoError);
        EXPECT_EQ(c.Bytes(CataloguePath(c.Path())), catalogue);
        EXPECT_EQ(c.Bytes(SettingsPath(c.Path())), res);
    }
}

// Every way a Theme.ini can be wrong is found before anything is written, and named.
TEST(ThemeCatalogue, AThemeIniIsCheckedBeforeAnythingIsWritten) {
    Catalogue c;
    const QString a = c.ThemeFile(Theme("A")); // its pictures serve the cases below
    (void)AddTheme(c.Path(), a);
    WritePicture(c.folder.File("Outside/Cover.jpg"), 20, 20);
    WriteBytes(c.folder.File("Themes/Bad/Damaged.jpg"), "not a picture");
    WritePicture(c.folder.File("Themes/Bad/R.jpg"), 20, 20);
    const QString ok = "Themes\\Bad\\R.jpg";
    const auto block = [&](const QString& name, const QString& right) {
        return QStringList{name, right, ok, ok, ok, ok}.join("\r\n").toUtf8() + "\r\n";
    };
    QByteArray binary(1 << 20, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((qint64(i) * 7919) % 251);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* problem;
    };
    const Case cases[] = {
        {"empty", "", "it has 0 lines, but a theme is six"},
        {"binary", binary, "but a theme is six"},
        {"seven lines", block("Seven", ok) + "extra\r\n", "it has 7 lines"},
        {"empty name", block("", ok), "line 1, the theme's name, is empty"},
        {"control character", block(QString("Bad") + QChar(7), ok), "holds control characters"},
        {"no right page", block("N", ""), "line 2 (right page) names no picture"},
        {"missing picture", block("M", "Themes\\Bad\\Gone.jpg"), "line 2 (right page) names "},
        {"leads out", block("O", "..\\Outside\\Cover.jpg"), "leads out of the program folder"},
        {"another folder", block("F", "Outside\\Cover.jpg"), "which is not in the theme's folder"},
        {"another theme's picture", block("T", "Themes\\A\\Cover.jpg"),
         "which is not in the theme's folder"},
        {"damaged picture", block("D", "Themes\\Bad\\Damaged.jpg"),
         "names no picture the program can load"},
        {"path too long", block("P", "Themes\\Bad\\" + QString(250, 'p') + ".jpg"),
         "is longer than 255 characters"},
    };
    const QByteArray catalogue = c.Bytes(CataloguePath(c.Path()));
    const QByteArray res = c.Bytes(SettingsPath(c.Path()));
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        const QString file = WriteBytes(c.folder.File("Themes/Bad/Theme.ini"), t.bytes);
        try {
            (void)AddTheme(c.Path(), file);
            ADD_FAILURE() << "installed";
        } catch (const KrelError& e) {
            EXPECT_TRUE(e.Message.startsWith("The theme " + file + " cannot be installed:"))
                << e.Message.toStdString();
            EXPECT_TRUE(e.Message.contains(t.problem)) << e.Message.toStdString();
            EXPECT_LT(e.Message.size(), 2000);
        }
        EXPECT_EQ(c.Bytes(CataloguePath(c.Path())), catalogue);
        EXPECT_EQ(c.Bytes(SettingsPath(c.Path())), res);
    }
    // Several problems: one message names them all.
    const QString two =
        WriteBytes(c.folder.File("Themes/Bad/Theme.ini"),
                   QStringList{"Two", "", ok, "..\\x.jpg", ok, ok}.join("\n").toUtf8());
    try {
        (void)AddTheme(c.Path(), two);
        ADD_FAILURE() << "installed";
    } catch (const KrelError& e) {
        EXPECT_TRUE(e.Message.contains("line 2 (right page)") &&
                    e.Message.contains("line 4 (front cover)"))
            << e.Message.toStdString();
    }
}

// A user of a read-only installation keeps a theme in the data folder: it installs from there, its
// pictures are found there first, and without that folder the same Theme.ini is refused.
TEST(ThemeCatalogue, AThemeInTheUsersDataFolderInstallsBesideTheProgramFolder) {
    Catalogue settings;
    TempProgramFolder installed, user;
    WritePicture(installed.File("Themes/Both/Cover.jpg"), 30, 30);
    WritePicture(user.File("Themes/Both/Cover.jpg"), 50, 50);
    const QString sea = WriteThemeFolder(user, "Sea");
    struct Guard {
        ~Guard() { SetUserDataFolder({}); }
    } guard;

    EXPECT_THROW((void)AddTheme(settings.Path(), sea, installed.Path()), KrelError);
    SetUserDataFolder(user.Path());
    EXPECT_EQ(AddTheme(settings.Path(), sea, installed.Path()), AddThemeResult::Added);
    ASSERT_EQ(ReadInstalledThemes(settings.Path()).size(), 1);
    EXPECT_EQ(ReadInstalledThemes(settings.Path())[0].Name, "Sea");
    EXPECT_EQ(ThemePictureProblem(installed.Path(), "\\Themes\\Sea\\Cover.jpg"), QString());

    const struct {
        const char* relative;
        QString file;
    } lookups[] = {
        {"\\Themes\\Both\\Cover.jpg", user.File("Themes/Both/Cover.jpg")},
        {"Themes\\Sea\\Left.jpg", user.File("Themes/Sea/Left.jpg")},
        {"\\Themes\\Gone.jpg", installed.Path() + "Themes/Gone.jpg"},
        {"..\\..\\etc\\passwd", QString()},
    };
    for (const auto& l : lookups)
        EXPECT_EQ(QDir::cleanPath(ProgramFile(installed.Path(), l.relative)),
                  QDir::cleanPath(l.file))
            << l.relative;
}
