#include "../support/ScriptedDialogs.h"
#include "OutputFixture.h"
#include "app/AppContext.h"
#include "output/PrintFlow.h"
#include "output/ui/AlbumPrinting.h"
#include "output/ui/PrinterSink.h"

#include <QFile>
#include <QPageRanges>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return QString::fromLatin1(file.readAll())
        .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
}

class PrintCommand : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTheme(folder);
        session.Album = MakeAlbum(folder, 5, OrientationVertical); // pages 0 to 9
        context.ProgramFolder = folder.Path();
        context.Dialogs = &dialogs;
        context.ProgressWindow = &progress;
        context.Session = &session;
        context.PrintQueues = [] { return QStringList{"Test queue"}; };
    }

    void Print() {
        QPrinter printer(QPrinter::HighResolution);
        PrintAlbum(context, printer, pen, [this] { ++repaints; });
    }

    // The user picks a PDF printer, a page range of the dialog (pages counted from 1) and copies.
    void Choose(const QString& pdf, int from, int to, int copies) {
        dialogs.OnPrintSetup = [=, this](QPrinter& printer) {
            presetFrom = printer.fromPage();
            presetTo = printer.toPage();
            SetUpPdfPrinter(printer, pdf);
            if (from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(from, to);
            } else {
                printer.setPrintRange(QPrinter::AllPages);
            }
            printer.setCopyCount(copies);
        };
        dialogs.PrintAnswers.enqueue(true);
    }

    TempProgramFolder folder;
    QTemporaryDir out;
    ScriptedDialogs dialogs;
    RecordingProgress progress;
    AlbumSession session;
    AppContext context;
    OutputPen pen;
    int repaints = 0;
    int presetFrom = -1, presetTo = -1;
};

TEST_F(PrintCommand, TheDialogOffersThePagesOfTheSpreadShown) {
    struct Case {
        int spread, from, to; // the dialog counts pages from 1
    };
    for (const Case& c : {Case{0, 1, 1}, Case{3, 6, 7}, Case{6, 10, 10}}) {
        session.CurrentSpread = c.spread;
        dialogs.OnPrintSetup = [this](QPrinter& printer) {
            presetFrom = printer.fromPage();
            presetTo = printer.toPage();
        };
        Print(); // cancelled: nothing printed, nothing said
        EXPECT_EQ(presetFrom, c.from) << c.spread;
        EXPECT_EQ(presetTo, c.to) << c.spread;
    }
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_EQ(progress.Shown, 0);
    EXPECT_EQ(repaints, 3);
}

TEST_F(PrintCommand, PrintsTheChosenRangeIntoAPdfPrinterWithTheTwoSidedMessages) {
    const QString pdf = out.filePath("range.pdf");
    session.CurrentSpread = 3;
    Choose(pdf, 6, 7, 1); // pages 5 and 6
    Print();
    EXPECT_EQ(PdfPages(pdf), 2);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page", "New page",
                                            QString::fromUtf8("Copy № 1redy. Remainder 0.")}));

    const QString all = out.filePath("all.pdf");
    dialogs.Messages.clear();
    Choose(all, 0, 0, 2);
    Print();
    EXPECT_EQ(PdfPages(all), 20) << "ten pages, twice";
    EXPECT_EQ(dialogs.Texts().count(QString::fromUtf8("Copy № 2redy. Remainder 0.")), 1);
    EXPECT_EQ(progress.Closed, progress.Shown);
}

TEST_F(PrintCommand, APdfPageOfA4At300DpiIsRenderedAtItsPrinterPixels) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, out.filePath("a4.pdf"));
    PrinterSink sink(printer);
    const PrinterPage page = sink.Page();
    EXPECT_EQ(page.Resolution, 300);
    ASSERT_EQ(ChoosePrintResolution(page), 300);
    const QSize size = sink.UseResolution(300);
    EXPECT_EQ(size, QSize(printer.width(), printer.height()));
    EXPECT_NEAR(size.width(), 2480, 1); // A4 is 595 points wide in Qt
    EXPECT_EQ(size.height(), 3508);
    EXPECT_EQ(PrintablePixels(page.PrintablePoints, 300), size);
}

TEST_F(PrintCommand, WithoutAnyPrintQueueOnlyThePrinterErrorIsShownOnce) {
    context.PrintQueues = [] { return QStringList(); };
    bool dialogShown = false;
    dialogs.OnPrintSetup = [&](QPrinter&) { dialogShown = true; };
    dialogs.PrintAnswers.enqueue(true);
    Print();
    EXPECT_FALSE(dialogShown);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0],
              (ShownMessage{PrinterErrorText, MessageKind::Error, MessageButtons::Yes}));
    EXPECT_EQ(progress.Shown, 0);
}

TEST(PrintDialogChoice, ReadsTheDialogsPagesPageSetOrderAndCopies) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrintRange(QPrinter::AllPages);
    PrintChoice all = ChoiceOfPrintDialog(printer);
    EXPECT_TRUE(all.AllPages);
    EXPECT_EQ(all.ShownOffset, 1);
    EXPECT_EQ(all.Set, PageSet::All);
    EXPECT_FALSE(all.Reverse);
    EXPECT_TRUE(all.TwoSided);

    printer.setPrintRange(QPrinter::PageRange);
    printer.setPageRanges(QPageRanges::fromString(QStringLiteral("1,3,5-7")));
    printer.setPageOrder(QPrinter::LastPageFirst);
    printer.setCopyCount(3);
    const PrintChoice listed = ChoiceOfPrintDialog(printer);
    EXPECT_FALSE(listed.AllPages);
    EXPECT_EQ(listed.Ranges, (QVector<PageRange>{{0, 0}, {2, 2}, {4, 6}}));
    EXPECT_TRUE(listed.Reverse);
    EXPECT_EQ(listed.Copies, 3);

    printer.setFromTo(2, 4);
    EXPECT_EQ(ChoiceOfPrintDialog(printer).Ranges, (QVector<PageRange>{{1, 3}}));
}

// The page set travels as a CUPS option, which only a CUPS queue holds: the CUPS test covers it.
TEST_F(PrintCommand, APageListInReverseOrderPrintsJustThosePages) {
    const QString pdf = out.filePath("list.pdf");
    dialogs.OnPrintSetup = [=](QPrinter& printer) {
        SetUpPdfPrinter(printer, pdf);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2-4,9")));
        printer.setPageOrder(QPrinter::LastPageFirst);
    };
    dialogs.PrintAnswers.enqueue(true);
    Print();
    EXPECT_EQ(PdfPages(pdf), 4) << "dialog pages 9, 4, 3 and 2";
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"Invert a page", "New page", "Invert a page", "New page",
                           QString::fromUtf8("Copy № 1redy. Remainder 0.")}));
}

TEST_F(PrintCommand, APrinterThatCannotStartShowsThePrinterMessage) {
    Choose(out.filePath("missing/folder/x.pdf"), 0, 0, 1);
    Print();
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0],
              (ShownMessage{PrinterErrorText, MessageKind::Error, MessageButtons::Yes}));
    EXPECT_EQ(progress.Closed, progress.Shown);
}

} // namespace
