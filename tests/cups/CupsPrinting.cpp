// Printing to a real cups-pdf queue, set up by run_cups_test.sh, which names the queue and the
// folder its PDF files land in (KREL_CUPS_QUEUE, KREL_CUPS_OUT). The album is printed through the
// print command of the album view with the print dialog's answers scripted, and by the headless
// command; the PDF files are then read back with poppler's tools.

#include "../output/OutputFixture.h"
#include "../support/ScriptedDialogs.h"
#include "app/AppContext.h"
#include "output/PrintFlow.h"
#include "output/ui/AlbumPrinting.h"
#include "output/ui/PrinterSink.h"
#include "platform/ui/CupsOptions.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString Program = QStringLiteral(KREL_PROGRAM_DIR "/krel-album");
constexpr int ToolTimeoutMs = 120'000;
constexpr int JobsTimeoutMs = 600'000;
constexpr int IdleSettleMs = 10'000;
constexpr int ContentsDpi = 30;    // page contents compared at this resolution
constexpr int ProportionDpi = 150; // square pictures measured at this one
const QString AlbumName = QStringLiteral("Krel CUPS test");

QString Queue() {
    return qEnvironmentVariable("KREL_CUPS_QUEUE");
}
QString OutFolder() {
    return qEnvironmentVariable("KREL_CUPS_OUT");
}

struct ToolRun {
    int Exit = -1;
    QString Out;
    QString Err;
};

ToolRun RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForFinished(ToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.Err = QStringLiteral("%1 did not finish in time").arg(program);
        return run;
    }
    run.Exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.Err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// cups-pdf names its files "job_N-TITLE.pdf"; N orders them as they were printed.
int JobNumber(const QString& file) {
    static const QRegularExpression number(QStringLiteral("^job_(\\d+)-"));
    return number.match(file).captured(1).toInt();
}

// Waits until the queue has no job left and count files more than seen have appeared; returns
// the new ones in the order of their jobs and adds them to seen. Fails when that takes too long.
QStringList NewJobFiles(int count, QSet<QString>& seen) {
    QDeadlineTimer deadline(JobsTimeoutMs);
    QDeadlineTimer settled(IdleSettleMs); // an idle queue gives its last files this long
    QStringList fresh;
    while (!deadline.hasExpired()) {
        fresh.clear();
        for (const QString& f : QDir(OutFolder()).entryList({"*.pdf"}, QDir::Files))
            if (!seen.contains(f))
                fresh << f;
        const bool idle = RunTool("lpstat", {"-o", Queue()}).Out.trimmed().isEmpty();
        if (!idle)
            settled.setRemainingTime(IdleSettleMs);
        if (idle && (fresh.size() >= count || settled.hasExpired()))
            break;
        QThread::msleep(250);
    }
    std::sort(fresh.begin(), fresh.end(),
              [](const QString& a, const QString& b) { return JobNumber(a) < JobNumber(b); });
    for (const QString& f : fresh)
        seen.insert(f);
    EXPECT_EQ(fresh.size(), count) << "PDF files of cups-pdf in " << OutFolder().toStdString();
    for (QString& f : fresh)
        f = QDir(OutFolder()).filePath(f);
    return fresh;
}

// cups-pdf writes the job's title with blanks as "_".
QString FileTitle(const QString& jobName) {
    QString t = jobName;
    return t.replace(QLatin1Char(' '), QLatin1Char('_'));
}

struct PdfFacts {
    int Pages = 0;
    QSizeF PagePoints;
};

PdfFacts Info(const QString& pdf) {
    const ToolRun run = RunTool("pdfinfo", {pdf});
    PdfFacts facts;
    facts.Pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run.Out).captured(1).toInt();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
            .match(run.Out);
    facts.PagePoints = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return facts;
}

struct PdfImage {
    QSize Pixels;
    double PpiX = 0;
    double PpiY = 0;
};

// The images of the PDF as pdfimages -list lists them.
QVector<PdfImage> Images(const QString& pdf) {
    QVector<PdfImage> images;
    const QStringList lines = RunTool("pdfimages", {"-list", pdf}).Out.split('\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList f = line.simplified().split(' ');
        if (f.size() < 14 || f[2] != QLatin1String("image"))
            continue;
        images.push_back({QSize(f[3].toInt(), f[4].toInt()), f[12].toDouble(), f[13].toDouble()});
    }
    return images;
}

QImage Rasterise(const QString& pdf, int dpi) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath("page");
    const ToolRun run =
        RunTool("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, prefix});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

// The bounding box of the pixels of colour c.
QRect Extent(const QImage& image, QColor c) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Near(image.pixelColor(x, y), c, 24))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Mean difference per channel between two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                   std::abs(p.blue() - q.blue());
        }
    return sum / (3.0 * a.width() * a.height());
}

class CupsPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Queue().isEmpty() || OutFolder().isEmpty())
            << "run through tests/cups/run_cups_test.sh, which sets up the CUPS queue";
        ASSERT_FALSE(QPrinterInfo::printerInfo(Queue()).isNull())
            << "Qt does not see the queue " << Queue().toStdString();
        WriteTheme(folder);
        session.Album = MakeAlbum(folder, 5, OrientationVertical, 300, 300); // pages 0 to 9
        session.Album.Name = AlbumName;
        context.ProgramFolder = folder.Path();
        context.Dialogs = &dialogs;
        context.ProgressWindow = &progress;
        context.Session = &session;
    }

    // The print command of the album view, the dialog answered by choose.
    void PrintFromTheDialog(const std::function<void(QPrinter&)>& choose) {
        dialogs.OnPrintSetup = [&](QPrinter& printer) {
            printer.setPrinterName(Queue());
            choose(printer);
        };
        dialogs.PrintAnswers.enqueue(true);
        QPrinter printer(QPrinter::HighResolution);
        PrintAlbum(context, printer, pen, {});
    }

    // The page bitmap's size for the queue, as the print command finds it.
    static QSize QueueBitmapSize(QRectF* printableOnPaper = nullptr, QSizeF* paper = nullptr) {
        QPrinter printer(QPrinterInfo::printerInfo(Queue()), QPrinter::HighResolution);
        PrinterSink sink(printer);
        const PrinterPage page = sink.Page();
        EXPECT_EQ(page.Resolution, 300) << "cups-pdf's own resolution";
        const QSize size = sink.UseResolution(ChoosePrintResolution(page).value_or(0));
        if (printableOnPaper)
            *printableOnPaper = printer.pageRect(QPrinter::Point);
        if (paper)
            *paper = printer.paperRect(QPrinter::Point).size();
        return size;
    }

    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    RecordingProgress progress;
    AlbumSession session;
    AppContext context;
    OutputPen pen;
    static QSet<QString> seen;
};
QSet<QString> CupsPrinting::seen;

TEST_F(CupsPrinting, TheDialogsPageListPrintsThosePagesOneToOneAtTheQueuesResolution) {
    PrintFromTheDialog([](QPrinter& printer) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setPageRanges(QPageRanges::fromString(QStringLiteral("3,5-7,9")));
        // Qt's dialog also hands CUPS the list, which would empty every one-page job, whose one
        // page is page 1 for CUPS.
        SetCupsOption(printer, QStringLiteral("page-ranges"), QStringLiteral("3,5-7,9"));
    });
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"Invert a page", "New page", "Invert a page", "New page",
                           "Invert a page", QString::fromUtf8("Copy № 1redy. Remainder 0.")}))
        << "no warning, the messages of the five pages";
    const QStringList files = NewJobFiles(5, seen);
    ASSERT_EQ(files.size(), 5);

    QRectF printable;
    QSizeF paper;
    const QSize size = QueueBitmapSize(&printable, &paper);
    const OutputRenderer renderer(folder.Path(), session.Album,
                                  MakePrintLayout(session.Album, size));
    OutputPen replayed;
    const int shown[] = {3, 5, 6, 7, 9};
    for (int i = 0; i < 5; ++i) {
        const int p = shown[i] - 1;
        SCOPED_TRACE(files[i].toStdString());
        EXPECT_TRUE(QFileInfo(files[i]).fileName().endsWith(
            FileTitle(PrintJobName(AlbumName, shown[i])) + ".pdf"));
        const PdfFacts facts = Info(files[i]);
        EXPECT_EQ(facts.Pages, 1);
        EXPECT_NEAR(facts.PagePoints.width(), paper.width(), 1);
        EXPECT_NEAR(facts.PagePoints.height(), paper.height(), 1);

        // One picture of the page bitmap's size, as many dots per inch across as down.
        const QVector<PdfImage> images = Images(files[i]);
        ASSERT_EQ(images.size(), 1);
        EXPECT_EQ(images[0].Pixels, size) << "printed one to one";
        EXPECT_NEAR(images[0].PpiX, 300, 3);
        EXPECT_NEAR(images[0].PpiY / images[0].PpiX, 1.0, 0.01);

        // The contents at a low resolution: the renderer's own page in the printable rectangle.
        const QImage reference =
            renderer.Render(NextPage(session.Album, SpreadOfPrintedPage(p), SideOfPrintedPage(p),
                                     NoteRules::Draw, replayed));
        const QImage printed = Rasterise(files[i], ContentsDpi);
        QImage expected(printed.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            const double scale = ContentsDpi / 72.0;
            painter.drawImage(QRectF(printable.topLeft() * scale, printable.size() * scale),
                              reference);
        }
        EXPECT_LT(MeanDifference(printed, expected), 4.0);

        // A square picture prints square.
        const std::optional<int> entry = EntryInFrame(
            session.Album, SpreadOfPrintedPage(p),
            SideOfPrintedPage(p) == PageSide::Left ? FrameSlot::Left1 : FrameSlot::Right1);
        if (KindOfSpread(session.Album, SpreadOfPrintedPage(p)) == SpreadKind::Pictures && entry) {
            const QRect box = Extent(Rasterise(files[i], ProportionDpi), PictureColour(*entry));
            ASSERT_GT(box.width(), 100);
            EXPECT_NEAR(double(box.width()) / box.height(), 1.0, 0.01)
                << box.width() << " x " << box.height();
        }
    }
}

TEST_F(CupsPrinting, TheDialogsPageSetAndReverseOrderPickThePages) {
    PrintFromTheDialog([](QPrinter& printer) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 6);
        printer.setPageOrder(QPrinter::LastPageFirst);
        // As the dialog service leaves it; left on a job, CUPS finds no even page in it.
        SetCupsOption(printer, QStringLiteral("page-set"), QStringLiteral("even"));
    });
    const QStringList files = NewJobFiles(3, seen);
    ASSERT_EQ(files.size(), 3);
    const int shown[] = {6, 4, 2};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Images(files[i]).size(), 1) << "not an empty page";
        EXPECT_TRUE(QFileInfo(files[i]).fileName().endsWith(
            FileTitle(PrintJobName(AlbumName, shown[i])) + ".pdf"))
            << files[i].toStdString();
    }
    EXPECT_EQ(dialogs.Texts().size(), 4) << "three pages and the copy";
}

TEST_F(CupsPrinting, TheHeadlessCommandPrintsToTheQueueWithoutQuestions) {
    const QString sample = QStringLiteral(KREL_PROGRAM_DIR "/Albums/Sample.kpa");
    const ToolRun run =
        RunTool(Program, {"--print", Queue(), sample, "--from", "3", "--to", "4", "--copies", "2"});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_FALSE(run.Err.contains("Invert a page")) << run.Err.toStdString();
    const QStringList files = NewJobFiles(4, seen);
    ASSERT_EQ(files.size(), 4);
    const int pages[] = {3, 4, 3, 4};
    const QSize size = QueueBitmapSize();
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(
            QFileInfo(files[i]).fileName().contains(QStringLiteral("_-_page_%1").arg(pages[i])))
            << files[i].toStdString();
        const QVector<PdfImage> images = Images(files[i]);
        ASSERT_EQ(images.size(), 1);
        EXPECT_EQ(images[0].Pixels, size);
        EXPECT_NEAR(images[0].PpiX, 300, 3);
        EXPECT_NEAR(images[0].PpiY, 300, 3);
    }

    // The PDF command draws the same page pictures at 300 dots per inch, on the whole sheet.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sample.pdf");
    const ToolRun pdfRun =
        RunTool(Program, {"--print-pdf", pdf, sample, "--from", "3", "--to", "3"});
    ASSERT_EQ(pdfRun.Exit, 0) << pdfRun.Err.toStdString();
    const QVector<PdfImage> images = Images(pdf);
    ASSERT_EQ(images.size(), 1);
    EXPECT_NEAR(images[0].PpiX, 300, 3);
    EXPECT_NEAR(images[0].PpiY, 300, 3);
}

TEST_F(CupsPrinting, AMissingQueueFailsWithThePrinterError) {
    const ToolRun run = RunTool(Program, {"--print", Queue() + "-gone",
                                          QStringLiteral(KREL_PROGRAM_DIR "/Albums/Sample.kpa")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(PrinterErrorText)) << run.Err.toStdString();
}

} // namespace
