#include "platform/Errors.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"
#include "themes/BookSettings.h"
#include "view/BookSize.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(BookSize, ClassicBelow1920AndALargerUprightPageAbove) {
    struct Case {
        QSize screen;
        BookSize size;
        PageSize page;
    };
    const Case cases[] = {
        {{800, 600}, BookSize::FillScreen, {499, 332}},
        {{1024, 768}, BookSize::FillScreen, {638, 426}},
        {{1280, 1024}, BookSize::FillScreen, {816, 545}},
        {{1919, 1200}, BookSize::FillScreen, {816, 545}},
        {{1920, 1080}, BookSize::FillScreen, {816, 545}},
        {{1920, 1200}, BookSize::FillScreen, {960, 641}},
        {{2560, 1440}, BookSize::FillScreen, {1152, 769}},
        {{3840, 2160}, BookSize::FillScreen, {1728, 1154}},
        {{3840, 2160}, BookSize::Classic, {816, 545}},
        {{2560, 1440}, BookSize::Classic, {816, 545}},
        // A tall screen: the spread keeps within 90 % of the width.
        {{1920, 2560}, BookSize::FillScreen, {1294, 864}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.width() << "x" << c.screen.height());
        const PageSize page = BookPageSize(c.screen, c.size);
        EXPECT_EQ(page, c.page);
        EXPECT_LE(2 * page.Width, c.screen.width());
        EXPECT_LE(page.Height, c.screen.height());
        if (page.Height > 816) // the larger pages keep the classic large page's proportions
            EXPECT_NEAR(double(page.Width) / page.Height, 545.0 / 816.0, 0.001);
    }
}

TEST(BookSize, LayoutFormulasHoldOnALargePage) {
    const PageSize page = BookPageSize({3840, 2160}, BookSize::FillScreen);
    const PageRects rects = PageRectsFor(3840, 2160, page);
    EXPECT_EQ(rects.Left, (TRect{1920 - 1154, 216, 1921, 216 + 1728}));
    EXPECT_EQ(rects.Right, (TRect{1919, 216, 1919 + 1154, 216 + 1728}));
    const QSize image = PageImageSize(page);
    const TRect cell = ContentsCell(0, image.width(), image.height());
    EXPECT_EQ(cell.Left, image.width() / 10 + 10);
    EXPECT_EQ(cell.Top, image.height() / 10 + 5);
}

TEST(BookSettings, FillUnlessTheFileSaysClassicAndWrittenAtomicallyBesideResIni) {
    TempProgramFolder folder;
    const QByteArray resIni = "1\r\n0\r\n5\r\n-\r\n1205x1795 - 10x15\r\n";
    WriteBytes(folder.File("Res.ini"), resIni);
    EXPECT_EQ(ReadBookSize(folder.Path()), BookSize::FillScreen); // no file
    WriteBookSize(folder.Path(), BookSize::Classic);
    EXPECT_EQ(ReadBookSize(folder.Path()), BookSize::Classic);
    QFile file(BookSettingsPath(folder.Path()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "classic\r\n");
    file.close();
    // Lines after the first are kept by a rewrite; Res.ini is never touched.
    WriteBytes(BookSettingsPath(folder.Path()), "classic\nlater\n");
    WriteBookSize(folder.Path(), BookSize::FillScreen);
    EXPECT_EQ(ReadLines(BookSettingsPath(folder.Path())), QStringList({"fill", "later"}));
    EXPECT_EQ(ReadBookSize(folder.Path()), BookSize::FillScreen);
    QFile res(folder.File("Res.ini"));
    ASSERT_TRUE(res.open(QIODevice::ReadOnly));
    EXPECT_EQ(res.readAll(), resIni);
    for (const char* text : {"", "Classic", "big\r\n", "\xff\xfe"}) {
        WriteBytes(BookSettingsPath(folder.Path()), text);
        EXPECT_EQ(ReadBookSize(folder.Path()), BookSize::FillScreen) << text;
    }
    // A failed write keeps the old file whole.
    WriteBookSize(folder.Path(), BookSize::Classic);
    SetWriteLimitForTests([](const QString&) { return qint64(2); });
    EXPECT_THROW(WriteBookSize(folder.Path(), BookSize::FillScreen), KrelError);
    SetWriteLimitForTests({});
    EXPECT_EQ(ReadBookSize(folder.Path()), BookSize::Classic);
}
