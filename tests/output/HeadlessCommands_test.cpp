#include "../support/Fixtures.h"
#include "../support/ScriptedDialogs.h"
#include "album/AlbumFile.h"
#include "album/AlbumLoader.h"
#include "album/Geometry.h"
#include "app/AppContext.h"
#include "output/PageExport.h"
#include "output/ui/HeadlessCommands.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString Program = QStringLiteral(KREL_PROGRAM_DIR "/krel-album");

TEST(HeadlessParsing, ReadsBothCommandsWithTheirDefaults) {
    const HeadlessRequest e = ParseHeadlessCommand(
        {"--export-pages", "a.kpa", "--size", "1500x2102", "--out", "/tmp/x/Book"});
    EXPECT_EQ(e.Command, HeadlessRequest::Kind::ExportPages);
    EXPECT_EQ(e.Album, "a.kpa");
    EXPECT_EQ(e.Width, 1500);
    EXPECT_EQ(e.Height, 2102);
    EXPECT_EQ(e.QualityPosition, 10);
    EXPECT_EQ(e.OutFolder, "/tmp/x");
    EXPECT_EQ(e.OutName, "Book");

    const HeadlessRequest p = ParseHeadlessCommand(
        {"--print-pdf", "o.pdf", "a.kpa", "--to", "4", "--copies", "2", "--from", "1"});
    EXPECT_EQ(p.Command, HeadlessRequest::Kind::PrintPdf);
    EXPECT_EQ(p.PdfFile, "o.pdf");
    EXPECT_EQ(p.FromPage, 1);
    EXPECT_EQ(p.ToPage, 4);
    EXPECT_EQ(p.Copies, 2);
    EXPECT_FALSE(ParseHeadlessCommand({"--print-pdf", "o.pdf", "a.kpa"}).FromPage.has_value());

    const HeadlessRequest q =
        ParseHeadlessCommand({"--print", "Office", "a.kpa", "--from", "3", "--copies", "4"});
    EXPECT_EQ(q.Command, HeadlessRequest::Kind::PrintQueue);
    EXPECT_EQ(q.Queue, "Office");
    EXPECT_EQ(q.Album, "a.kpa");
    EXPECT_EQ(q.FromPage, 3);
    EXPECT_FALSE(q.ToPage.has_value());
    EXPECT_EQ(q.Copies, 4);
    EXPECT_TRUE(IsHeadlessCommand({"--print", "Office", "a.kpa"}));

    EXPECT_TRUE(IsHeadlessCommand({"--export-pages"}));
    EXPECT_FALSE(IsHeadlessCommand({"album.kpa"}));
    EXPECT_FALSE(IsHeadlessCommand({}));
}

TEST(HeadlessParsing, RefusesIncompleteOrWrongArguments) {
    const QStringList bad[] = {
        {"--export-pages", "a.kpa", "--out", "/tmp/B"},
        {"--export-pages", "a.kpa", "--size", "100x200"},
        {"--export-pages", "a.kpa", "--size", "100x200", "--out", "/tmp/"},
        {"--export-pages", "a.kpa", "--size", "wide", "--out", "/tmp/B"},
        {"--export-pages", "a.kpa", "--size", "100x200", "--out", "/tmp/B", "--quality", "11"},
        {"--export-pages", "a.kpa", "--size", "100x200", "--out", "/tmp/B", "--copies", "2"},
        {"--export-pages", "a.kpa", "--size"},
        {"--export-pages"},
        {"--print-pdf", "o.pdf"},
        {"--print-pdf", "o.pdf", "a.kpa", "--copies", "0"},
        {"--print-pdf", "o.pdf", "a.kpa", "--from", "-1"},
        {"--print-pdf", "o.pdf", "a.kpa", "--quality", "3"},
        {"--print", "Office"},
        {"--print", "Office", "a.kpa", "--size", "100x200"},
        {"--print", "Office", "a.kpa", "--copies", "0"},
    };
    for (const QStringList& arguments : bad)
        EXPECT_THROW((void)ParseHeadlessCommand(arguments), KrelError)
            << arguments.join(' ').toStdString();
}

// An album of the installed Classic theme with pictures of a temporary folder.
class HeadlessRuns : public ::testing::Test {
protected:
    void SetUp() override {
        TAlbum album;
        album.Name = QStringLiteral("Trip");
        album.ThemeName = QStringLiteral("Classic");
        album.CoverPath = QStringLiteral("Themes\\Classic\\Cover.jpg");
        album.LeftPath = QStringLiteral("Themes\\Classic\\Left.jpg");
        album.RightPath = QStringLiteral("Themes\\Classic\\Right.jpg");
        album.BackPath = QStringLiteral("Themes\\Classic\\Back.jpg");
        album.Orientation = OrientationHorizontal;
        for (int i = 0; i < 6; ++i) {
            TFoto foto;
            foto.FileName =
                WritePicture(dir.filePath(QStringLiteral("p%1.jpg").arg(i)), i % 2 ? 300 : 400,
                             i % 2 ? 400 : 300, QColor::fromHsv(i * 50, 200, 200));
            album.Fotos.push_back(foto);
        }
        album.Count = album.Fotos.size();
        albumFile = dir.filePath("Trip.kpa");
        WriteAlbumFile(albumFile, album);
    }

    static int Run(const QStringList& arguments, QString* errors = nullptr) {
        QProcess process;
        process.start(Program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        if (errors)
            *errors = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir dir;
    QString albumFile;
};

TEST_F(HeadlessRuns, ExportWritesTheSameFilesAsSavingAllPagesInTheProgram) {
    const QString out = dir.filePath("out");
    QDir().mkpath(out);
    ASSERT_EQ(Run({"--export-pages", albumFile, "--size", "600x900", "--quality", "8", "--out",
                   out + "/Book"}),
              0);

    // The same album loaded and saved by the program's own "All page".
    ScriptedDialogs dialogs;
    AlbumSession session;
    SelektSizePage(session, 1280);
    AppContext context;
    context.ProgramFolder = QStringLiteral(KREL_PROGRAM_DIR "/");
    context.Dialogs = &dialogs;
    context.Session = &session;
    const QString inProgram = dir.filePath("in");
    QDir().mkpath(inProgram);
    context.ShowAlbumView = [&] {
        NullProgress progress;
        OutputPen pen;
        SaveAllPages({context.ProgramFolder, &session.Album, QSize(600, 900), 8}, inProgram, "Book",
                     progress, pen);
    };
    ASSERT_EQ(OpenAlbum(context, albumFile), LoadResult::Shown);
    ASSERT_EQ(session.Album.SpreadCount, 3);

    const QStringList names = QDir(out).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names, QStringList({"Book0_L.jpg", "Book1_L.jpg", "Book1_R.jpg", "Book2_L.jpg",
                                  "Book2_R.jpg", "Book3_L.jpg", "Book3_R.jpg", "Book4_R.jpg"}));
    EXPECT_EQ(QDir(inProgram).entryList(QDir::Files, QDir::Name), names);
    for (const QString& name : names) {
        QFile a(QDir(out).filePath(name)), b(QDir(inProgram).filePath(name));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        EXPECT_TRUE(a.readAll() == b.readAll()) << name.toStdString();
    }
}

TEST_F(HeadlessRuns, PrintPdfHasOnePageAPrintedPageAndTheTwoSidedMessages) {
    const QString pdf = dir.filePath("book.pdf");
    QString errors;
    ASSERT_EQ(
        Run({"--print-pdf", pdf, albumFile, "--from", "2", "--to", "4", "--copies", "2"}, &errors),
        0);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 6);
    QStringList messages;
    for (const QString& line : errors.split('\n'))
        if (line.startsWith("krel-album: "))
            messages << line.mid(12);
    EXPECT_EQ(messages, QStringList({"Invert a page", "New page", "Invert a page",
                                     QString::fromUtf8("Copy № 1redy. Remainder 1."), "New page",
                                     "Invert a page", "New page",
                                     QString::fromUtf8("Copy № 2redy. Remainder 0.")}));

    // Every page by default: pages 0 to 7 of three spreads.
    file.close();
    ASSERT_EQ(Run({"--print-pdf", pdf, albumFile}), 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(file.readAll())
                  .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))),
              8);
}

TEST_F(HeadlessRuns, FailuresExitWithOneAndAMessage) {
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--export-pages", dir.filePath("none.kpa"), "--size", "60x90", "--out",
          dir.filePath("B")},
         "Album file not found"},
        {{"--export-pages", albumFile, "--size", "60x90", "--out", dir.filePath("no/B")},
         "Folder not found"},
        {{"--print-pdf", dir.filePath("o.pdf"), albumFile, "--from", "3", "--to", "9"},
         "no pages 3 to 9"},
        {{"--print-pdf", dir.filePath("o.pdf"), albumFile, "--copies", "x"}, "--copies"},
        {{"--print", "krel-no-such-queue", albumFile},
         "Could not complete the Print command because the selected printer not be found."},
        {{"--print", "krel-no-such-queue", dir.filePath("none.kpa")}, "Album file not found"},
    };
    for (const Case& c : cases) {
        QString errors;
        EXPECT_EQ(Run(c.arguments, &errors), 1) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(errors.contains(QString::fromUtf8(c.message))) << errors.toStdString();
    }
    // An album none of whose pictures is left prints nothing.
    for (int i = 0; i < 6; ++i)
        QFile::remove(dir.filePath(QStringLiteral("p%1.jpg").arg(i)));
    QString errors;
    EXPECT_EQ(Run({"--print-pdf", dir.filePath("o.pdf"), albumFile}, &errors), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("o.pdf")));
}

} // namespace
