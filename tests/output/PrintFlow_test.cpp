#include "../support/ScriptedDialogs.h"
#include "OutputFixture.h"
#include "output/PageExport.h"
#include "output/PrintFlow.h"

#include <gtest/gtest.h>

namespace {

// A printer that keeps every page it is sent, and can fail at one of them.
class RecordingSink : public PageSink {
public:
    QSize Size{300, 450};
    int FailAt = -1; // index of the job that the printer refuses
    QVector<QImage> Pages;

    [[nodiscard]] QSize PageSize() const override { return Size; }
    void PrintPage(const QImage& page) override {
        if (Pages.size() == FailAt)
            throw PrinterError();
        Pages.push_back(page);
    }
};

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
    Print(album, PrintChoice{true, 3, 3, 1});
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
    Print(album, PrintChoice{false, 5, 6, 1});
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page", "New page",
                                            QString::fromUtf8("Copy № 1redy. Remainder 0.")}));
    dialogs.Messages.clear();
    sink.Pages.clear();
    Print(album, PrintChoice{false, 1, 3, 2});
    EXPECT_EQ(sink.Pages.size(), 6);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page", "New page", "Invert a page",
                                            QString::fromUtf8("Copy № 1redy. Remainder 1."),
                                            "New page", "Invert a page", "New page",
                                            QString::fromUtf8("Copy № 2redy. Remainder 0.")}));
}

TEST_F(Printing, NoCopiesPrintNothingAndSayNothing) {
    const TAlbum album = MakeAlbum(folder, 5, OrientationVertical);
    Print(album, PrintChoice{true, 0, 0, 0});
    EXPECT_TRUE(sink.Pages.isEmpty());
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_EQ(progress.Shown, 0);
}

TEST_F(Printing, OddPagesOnTheLeftBackgroundEvenOnesOnTheRight) {
    const TAlbum album = MakeAlbum(folder, 3, OrientationVertical); // pages 0 to 7
    Print(album, PrintChoice{true, 0, 0, 1});
    ASSERT_EQ(sink.Pages.size(), 8);
    const QColor expected[] = {CoverColour, LeftColour, RightColour, LeftColour,
                               RightColour, LeftColour, RightColour, BackColour};
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(sink.Pages[p].size(), sink.Size) << p;
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
    EXPECT_THROW(Print(album, PrintChoice{true, 0, 0, 1}), PrinterError);
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
    EXPECT_THROW(Print(album, PrintChoice{false, 1, 4, 1}), PictureError);
    EXPECT_EQ(sink.Pages.size(), 1);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Invert a page"}));
    EXPECT_EQ(progress.Closed, progress.Shown);
}

TEST_F(Printing, APageTooLargeForABitmapFallsBackAfterAWarning) {
    const TAlbum album = MakeAlbum(folder, 2, OrientationVertical);
    sink.Size = QSize(20000, 20000);
    Print(album, PrintChoice{false, 0, 0, 1});
    ASSERT_EQ(sink.Pages.size(), 1);
    EXPECT_EQ(sink.Pages[0].size(), FallbackOutputSize);
    ASSERT_FALSE(dialogs.Messages.isEmpty());
    EXPECT_EQ(dialogs.Messages[0],
              (ShownMessage{"Could not complete printing because the scrath disk are full. New "
                            "size picture: height = 3543, width := 2362.",
                            MessageKind::Warning, MessageButtons::Yes}));
}

TEST_F(Printing, ARangeOutsideTheAlbumIsRefused) {
    const TAlbum album = MakeAlbum(folder, 2, OrientationVertical);
    EXPECT_THROW(Print(album, PrintChoice{false, 4, 6, 1}), KrelError);
    EXPECT_THROW(Print(album, PrintChoice{false, 3, 2, 1}), KrelError);
    EXPECT_TRUE(sink.Pages.isEmpty());
}

} // namespace
