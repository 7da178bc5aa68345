#include "../support/ScriptedDialogs.h"
#include "OutputFixture.h"
#include "output/PageExport.h"
#include "output/PrintFlow.h"

#include <gtest/gtest.h>

namespace {

// A printer that keeps every page it is sent, and can fail at one of them. Its printable page is
// 1 x 1.5 inches at 300 dots per inch: 300 x 450 printer pixels.
class RecordingSink : public PageSink {
public:
    PrinterPage Printer{QSizeF(72, 108), 300, {}};
    int FailAt = -1; // index of the job that the printer refuses
    int Resolution = 0;
    QVector<QImage> Pages;
    QStringList Jobs;

    [[nodiscard]] PrinterPage Page() const override { return Printer; }
    QSize UseResolution(int dpi) override {
        Resolution = dpi;
        return PrintablePixels(Printer.PrintablePoints, dpi);
    }
    void PrintPage(const QImage& page, const QString& jobName) override {
        if (Pages.size() == FailAt)
            throw PrinterError();
        Pages.push_back(page);
        Jobs.push_back(jobName);
    }
};

PrintChoice All(int copies = 1) {
    PrintChoice choice;
    choice.Copies = copies;
    return choice;
}

PrintChoice Pages(QVector<PageRange> ranges, int copies = 1) {
    PrintChoice choice;
    choice.AllPages = false;
    choice.Ranges = std::move(ranges);
    choice.Copies = copies;
    return choice;
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override { WriteTheme(folder); }

    // Five pictures in layout 1: one contents spread, picture spreads 2 to 4 (pages 0 to 9).
    void Print(const TAlbum& album, PrintChoice choice) {
        services =
            PrintServices{folder.Path(), &album, &dialogs, &progress, [this] { ++repaints; }, &pen};
        RunPrint(services, choice, sink);
    }

    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    RecordingProgress progress;
    RecordingSink sink;
    OutputPen pen;
    PrintServices services;
    int repaints = 0;
};

TEST(PrintPages, NumberingAndPresets) {
    TAlbum album;
    album.Count = 3;
    album.Orientation = OrientationVertical;
    ComputeDerivedNumbers(album); // spreads 0 to 4, pages 0 to 7
    EXPECT_EQ(LastPrintedPage(album), 7);
    const int spreads[] = {0, 1, 1, 2, 2, 3, 3, 4};
    for (int p = 0; p <= 7; ++p)
        EXPECT_EQ(SpreadOfPrintedPage(p), spreads[p]) << p;
    EXPECT_EQ(SideOfPrintedPage(5), PageSide::Left);
    EXPECT_EQ(SideOfPrintedPage(6), PageSide::Right);

    EXPECT_EQ(PrintPresetFor(album, 0), (PrintPreset{0, 7, 0, 0}));
    EXPECT_EQ(PrintPresetFor(album, 3), (PrintPreset{0, 7, 5, 6}));
    EXPECT_EQ(PrintPresetFor(album, 4), (PrintPreset{0, 7, 7, 7})) << "back cover: cut";
    EXPECT_EQ(CopyReadyText(1, 2), QString::fromUtf8("Copy № 1redy. Remainder 1."));
}

TEST_F(Printing, AWholeAlbumAlternatesTurnAndNewSheet) {
    const TAlbum album = MakeAlbum(folder, 2, OrientationVertical); // spreads 0 to 3
    ASSERT_EQ(album.SpreadCount, 2);
    Print(album, All());
    EXPECT_EQ(sink.Pages.size(), 6);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page", "New page", "Invert a page",
                                            "New page", "Invert a page", "New page",
                                            QString::fromUtf8("Copy № 1redy. Remainder 0.")}));
    for (const ShownMessage& m : dialogs.Messages) {
        EXPECT_EQ(m.Kind, MessageKind::Confirmation);
        EXPECT_EQ(m.Buttons, MessageButtons::Yes);
    }
    EXPECT_EQ(repaints, 7);
    EXPECT_EQ(progress.Shown, 6);
    EXPECT_EQ(progress.Closed, 6);
    EXPECT_EQ(progress.Max, 4);
}

TEST_F(Printing, CopiesRepeatTheRangeWithoutResettingTheTurnOver) {
    const TAlbum album = MakeAlbum(folder, 5, OrientationVertical);
    Print(album, Pages({{5, 6}}));
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page", "New page",
                                            QString::fromUtf8("Copy № 1redy. Remainder 0.")}));
    dialogs.Messages.clear();
    sink.Pages.clear();
    Print(album, Pages({{1, 3}}, 2));
    EXPECT_EQ(sink.Pages.size(), 6);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page", "New page", "Invert a page",
                                            QString::fromUtf8("Copy № 1redy. Remainder 1."),
                                            "New page", "Invert a page", "New page",
                                            QString::fromUtf8("Copy № 2redy. Remainder 0.")}));
}

TEST_F(Printing, NoCopiesPrintNothingAndSayNothing) {
    const TAlbum album = MakeAlbum(folder, 5, OrientationVertical);
    Print(album, All(0));
    EXPECT_TRUE(sink.Pages.isEmpty());
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_EQ(progress.Shown, 0);
}

TEST_F(Printing, OddPagesOnTheLeftBackgroundEvenOnesOnTheRight) {
    const TAlbum album = MakeAlbum(folder, 3, OrientationVertical); // pages 0 to 7
    Print(album, All());
    ASSERT_EQ(sink.Pages.size(), 8);
    const QColor expected[] = {CoverColour, LeftColour, RightColour, LeftColour,
                               RightColour, LeftColour, RightColour, BackColour};
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(sink.Pages[p].size(), QSize(300, 450)) << p;
        EXPECT_EQ(sink.Pages[p].pixelColor(1, 1), expected[p]) << p;
    }
    // Picture pages carry their rules, under the left frame on both sides.
    const PageFrames frames = FramesFor(OrientationVertical, 300, 450);
    const int y = frames.Left1.Bottom + 450 / 21;
    for (int p : {3, 4})
        EXPECT_EQ(sink.Pages[p].pixelColor(frames.Left1.Left + 450 / 13, y), NoteRuleColour) << p;
}

TEST_F(Printing, APrinterErrorStopsWithThePagesBeforeItPrinted) {
    const TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    sink.FailAt = 2;
    EXPECT_THROW(Print(album, All()), PrinterError);
    EXPECT_EQ(sink.Pages.size(), 2);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page", "New page"}));
    EXPECT_EQ(progress.Closed, progress.Shown);
    EXPECT_EQ(PrinterError().Message,
              "Could not complete the Print command because the selected printer not be "
              "found.Please select a printer from the control panel and try again.");
}

TEST_F(Printing, AMissingThemePictureStopsWithoutTwoSidedMessage) {
    TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    album.RightPath = QStringLiteral("Themes\\Plain\\Gone.bmp");
    EXPECT_THROW(Print(album, Pages({{1, 4}})), PictureError);
    EXPECT_EQ(sink.Pages.size(), 1);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page"}));
    EXPECT_EQ(progress.Closed, progress.Shown);
}

TEST_F(Printing, APageTooLargeAtEveryResolutionFallsBackWithItsProportionsAfterAWarning) {
    const TAlbum album = MakeAlbum(folder, 2, OrientationVertical);
    sink.Printer = PrinterPage{QSizeF(72 * 40, 72 * 30), 600, {600, 400}}; // 40 x 30 inches
    Print(album, Pages({{0, 0}}));
    ASSERT_EQ(sink.Pages.size(), 1);
    EXPECT_EQ(sink.Pages[0].size(), QSize(2362, 1772)) << "four to three, as the page";
    EXPECT_EQ(sink.Resolution, 0) << "the printer keeps its resolution and scales";
    ASSERT_FALSE(dialogs.Messages.isEmpty());
    EXPECT_EQ(dialogs.Messages[0],
              (ShownMessage{"Could not complete printing because the scrath disk are full. New "
                            "size picture: height = 3543, width := 2362.",
                            MessageKind::Warning, MessageButtons::Yes}));
}

TEST_F(Printing, AHighResolutionPrinterPrintsAtTheHighestResolutionThatFitsWithoutAWarning) {
    const TAlbum album = MakeAlbum(folder, 2, OrientationVertical);
    // 2 x 3 inches: 150 and 121 million pixels at 5000 and 4500 dots per inch, past the cap.
    sink.Printer = PrinterPage{QSizeF(144, 216), 5000, {150, 4500, 300, 5000}};
    Print(album, Pages({{0, 0}}));
    EXPECT_EQ(sink.Resolution, 300);
    ASSERT_EQ(sink.Pages.size(), 1);
    EXPECT_EQ(sink.Pages[0].size(), QSize(600, 900)) << "the printable page at 300 dpi";
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"Invert a page", QString::fromUtf8("Copy № 1redy. Remainder 0.")}));
}

TEST_F(Printing, AListOfPagesPrintsThoseInOrderWithTheMessagesOfThePagesThatPrint) {
    TAlbum album = MakeAlbum(folder, 5, OrientationVertical); // pages 0 to 9
    album.Name = QStringLiteral("Trip");
    PrintChoice choice = Pages({{0, 0}, {2, 2}, {4, 6}}); // "1,3,5-7" in the dialog
    choice.ShownOffset = 1;
    Print(album, choice);
    ASSERT_EQ(sink.Pages.size(), 5);
    EXPECT_EQ(sink.Jobs, QStringList({"The Krel - Trip - page 1", "The Krel - Trip - page 3",
                                      "The Krel - Trip - page 5", "The Krel - Trip - page 6",
                                      "The Krel - Trip - page 7"}));
    EXPECT_EQ(sink.Pages[0].pixelColor(1, 1), CoverColour);
    EXPECT_EQ(sink.Pages[1].pixelColor(1, 1), RightColour) << "album page 2";
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"Invert a page", "New page", "Invert a page", "New page",
                           "Invert a page", QString::fromUtf8("Copy № 1redy. Remainder 0.")}));
}

TEST_F(Printing, BatchPrintingAsksNothing) {
    const TAlbum album = MakeAlbum(folder, 2, OrientationVertical);
    PrintChoice choice = All(2);
    choice.TwoSided = false;
    Print(album, choice);
    EXPECT_EQ(sink.Pages.size(), 12);
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_EQ(sink.Jobs.front(), "The Krel - page 0") << "an album without a name";
}

TEST_F(Printing, ARangeOutsideTheAlbumIsRefused) {
    const TAlbum album = MakeAlbum(folder, 2, OrientationVertical);
    EXPECT_THROW(Print(album, Pages({{4, 6}})), KrelError);
    EXPECT_THROW(Print(album, Pages({{3, 2}})), KrelError);
    EXPECT_TRUE(sink.Pages.isEmpty());
    EXPECT_TRUE(dialogs.Messages.isEmpty());
}

TEST(PrintPages, ChosenPagesInOrder) {
    TAlbum album;
    album.Count = 5;
    album.Orientation = OrientationVertical;
    ComputeDerivedNumbers(album); // pages 0 to 9
    ASSERT_EQ(LastPrintedPage(album), 9);
    struct Case {
        const char* what;
        PrintChoice choice;
        QVector<int> pages;
    };
    auto with = [](PrintChoice c, PageSet set, bool reverse, int offset) {
        c.Set = set;
        c.Reverse = reverse;
        c.ShownOffset = offset;
        return c;
    };
    const Case cases[] = {
        {"all", All(), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"list and range", Pages({{0, 0}, {2, 2}, {4, 6}}), {0, 2, 4, 5, 6}},
        {"given out of order, overlapping", Pages({{6, 8}, {1, 1}, {5, 7}}), {1, 5, 6, 7, 8}},
        {"one page", Pages({{9, 9}}), {9}},
        {"odd as the dialog counts", with(All(), PageSet::Odd, false, 1), {0, 2, 4, 6, 8}},
        {"even as the dialog counts", with(Pages({{2, 6}}), PageSet::Even, false, 1), {3, 5}},
        {"odd as the album counts", with(Pages({{2, 6}}), PageSet::Odd, false, 0), {3, 5}},
        {"reversed", with(Pages({{0, 0}, {4, 5}}), PageSet::All, true, 1), {5, 4, 0}},
        {"reversed even", with(All(), PageSet::Even, true, 1), {9, 7, 5, 3, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintedPages(album, c.choice), c.pages) << c.what;
}

TEST(PrintPages, RefusalsNameThePagesAsTheUserCountsThem) {
    TAlbum album;
    album.Count = 5;
    album.Orientation = OrientationVertical;
    ComputeDerivedNumbers(album);
    struct Case {
        PrintChoice choice;
        int offset;
        const char* message;
    };
    PrintChoice odd = Pages({{1, 1}});
    odd.Set = PageSet::Odd;
    const Case cases[] = {
        {Pages({{0, 3}, {9, 12}}), 1, "The album has no pages 10 to 13; its pages are 1 to 10."},
        {Pages({{10, 10}}), 0, "The album has no page 10; its pages are 0 to 9."},
        {Pages({{4, 2}}), 0, "The album has no pages 4 to 2; its pages are 0 to 9."},
        {Pages({}), 1, "No pages were chosen to print."},
        {odd, 1, "The pages chosen hold no odd page to print."},
    };
    for (const Case& c : cases) {
        PrintChoice choice = c.choice;
        choice.ShownOffset = c.offset;
        try {
            (void)PrintedPages(album, choice);
            ADD_FAILURE() << c.message;
        } catch (const KrelError& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
}

TEST(PrintResolution, ThePrintersOwnWhenItFitsOtherwiseTheHighestAcceptedThatFits) {
    const QSizeF a4(595, 842);
    struct Case {
        const char* what;
        PrinterPage page;
        std::optional<int> dpi;
    };
    const Case cases[] = {
        {"own fits", {a4, 300, {150, 300, 600, 1200}}, 300},
        {"own too large", {a4, 1200, {150, 300, 600, 1200, 2400}}, 600},
        {"none said: photo resolution", {a4, 0, {}}, 300},
        {"own too large, nothing else", {a4, 2400, {}}, std::nullopt},
        {"poster: nothing fits", {QSizeF(72 * 60, 72 * 40), 600, {600, 400, 300}}, std::nullopt},
        {"poster: a low one fits", {QSizeF(72 * 60, 72 * 40), 600, {600, 150, 200}}, 200},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChoosePrintResolution(c.page), c.dpi) << c.what;
    EXPECT_EQ(PrintablePixels(a4, 300), QSize(2479, 3508));
}

TEST(PrintResolution, FallbackKeepsThePageProportionsAndCupsResolutionsParse) {
    EXPECT_EQ(FallbackPageSize(QSizeF(575, 822)), QSize(2362, 3377));
    EXPECT_EQ(FallbackPageSize(QSizeF(100, 300)), QSize(1181, 3543));
    EXPECT_EQ(FallbackPageSize(QSizeF()), FallbackOutputSize);
    EXPECT_EQ(ParseResolution("600dpi"), 600);
    EXPECT_EQ(ParseResolution("1200x600dpi"), 1200);
    EXPECT_EQ(ParseResolution("118dpcm"), 300);
    EXPECT_EQ(ParseResolution(""), std::nullopt);
    EXPECT_EQ(ParseResolution("high"), std::nullopt);
    EXPECT_EQ(ParseResolution("0dpi"), std::nullopt);
}

} // namespace
