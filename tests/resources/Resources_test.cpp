// The installed program folder as the build lays it out: every file that a data file names exists
// and decodes, the data files have their exact line counts, and the sounds are 16-bit PCM.
#include "platform/PictureIO.h"
#include "platform/ProgramFolder.h"
#include "platform/TextLines.h"

#include <QFile>
#include <QFileInfo>
#include <QRect>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QString Folder() {
    return QStringLiteral(KREL_PROGRAM_DIR "/");
}
QString Path(const QString& relative) {
    return ResourcePath(Folder(), relative);
}

// Every line of a data file as a number; fails the test when one is not.
QList<int> Numbers(const QString& relative) {
    QList<int> values;
    for (const QString& line : ReadLines(Path(relative)))
        values << ParseInt(line);
    return values;
}

QSize DecodedSize(const QString& relative) {
    const QImage image = LoadPicture(Path(relative));
    return image.size();
}

const QStringList States{QStringLiteral(" Normal.jpg"), QStringLiteral(" OnMouse.jpg"),
                         QStringLiteral(" OnClick.jpg")};

} // namespace

TEST(MainSkin, LayoutPlacesEveryButtonInsideTheWindowWithoutOverlap) {
    const QList<int> v = Numbers(QStringLiteral("GraphicRes\\Main\\Main.ini"));
    ASSERT_EQ(v.size(), 18);
    const QSize window(v[1], v[0]);
    EXPECT_EQ(DecodedSize(QStringLiteral("GraphicRes\\Main\\Main.jpg")), window);

    // Left/top for the six main buttons, then top/left for WMin and WClose.
    const QStringList names{"Create", "Open", "Preferences", "Help",
                            "About",  "Exit", "WMin",        "WClose"};
    QList<QRect> places;
    for (int i = 0; i < 8; ++i) {
        const QPoint at =
            i < 6 ? QPoint(v[2 + 2 * i], v[3 + 2 * i]) : QPoint(v[3 + 2 * i], v[2 + 2 * i]);
        const QString base = QStringLiteral("GraphicRes\\Main\\") + names[i];
        const QSize size = DecodedSize(base + States[0]);
        for (const QString& state : States)
            EXPECT_EQ(DecodedSize(base + state), size) << qPrintable(base + state);
        places << QRect(at, size);
        EXPECT_TRUE(QRect(QPoint(0, 0), window).contains(places.last())) << qPrintable(names[i]);
    }
    // WClose is shown in a 25 x 25 control, unscaled from its top-left corner.
    EXPECT_LE(places[7].width(), 25);
    EXPECT_LE(places[7].height(), 25);
    for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j)
            EXPECT_FALSE(places[i].intersects(places[j])) << qPrintable(names[i] + " " + names[j]);
}

TEST(WizardSkin, LayoutAndPicturesFitTheWizardWindow) {
    const QList<int> v = Numbers(QStringLiteral("GraphicRes\\Wizard\\Wizard.ini"));
    ASSERT_EQ(v.size(), 16);
    const QRect window(0, 0, 503, 353);
    const QString dir = QStringLiteral("GraphicRes\\Wizard\\");
    EXPECT_EQ(DecodedSize(dir + "Panel01.jpg"), window.size());
    EXPECT_EQ(DecodedSize(dir + "Panel02.jpg"), window.size());

    struct Control {
        QString picture; // file-name stem; its states are listed below
        int states;      // Normal, OnMouse and (when 3) OnClick
        int topLine;     // index of its top line; its left follows
    };
    const Control controls[] = {
        {"Exit", 3, 0}, {"Next", 3, 2}, {"Back", 2, 4}, {"Hor", 3, 12}, {"Ver", 3, 14}};
    QList<QRect> page2;
    for (const Control& c : controls) {
        const QSize size = DecodedSize(dir + c.picture + States[0]);
        for (int s = 0; s < c.states; ++s)
            EXPECT_EQ(DecodedSize(dir + c.picture + States[s]), size) << qPrintable(c.picture);
        if (c.picture != "Hor" && c.picture != "Ver") {
            EXPECT_EQ(size, QSize(57, 17)) << qPrintable(c.picture);
        }
        const QRect place(QPoint(v[c.topLine + 1], v[c.topLine]), size);
        EXPECT_TRUE(window.contains(place)) << qPrintable(c.picture);
        page2 << place;
    }
    for (int i = 0; i < page2.size(); ++i)
        for (int j = i + 1; j < page2.size(); ++j)
            EXPECT_FALSE(page2[i].intersects(page2[j])) << i << " " << j;

    // Theme page: the list (top, left, height, width) and the preview beside it.
    const QRect list(v[9], v[8], v[11], v[10]);
    EXPECT_TRUE(window.contains(list));
    EXPECT_GT(list.height(), 13 * 5) << "room for five theme names";
    const QPoint preview(v[7], v[6]);
    EXPECT_TRUE(window.contains(preview));
    EXPECT_FALSE(list.contains(preview));
}

TEST(Themes, ResIniCountsTheCatalogueBlocksAndHoldsTheDefaults) {
    const QStringList res = ReadLines(Path(QStringLiteral("Res.ini")));
    const QStringList catalogue = ReadLines(Path(QStringLiteral("Themes.ini")));
    ASSERT_EQ(catalogue.size() % 6, 0);
    ASSERT_GE(catalogue.size() / 6, 3);
    EXPECT_EQ(res, (QStringList{QString::number(catalogue.size() / 6), "0", "5", "-",
                                "1205x1795 - 10x15", "1500x2102 - 13x18", "2398x3602 - 20x30"}));
}

TEST(Themes, EveryBlockNamesPicturesThatDecodeAndMatchesItsThemeIni) {
    const QStringList catalogue = ReadLines(Path(QStringLiteral("Themes.ini")));
    QStringList names;
    for (int k = 0; k + 6 <= catalogue.size(); k += 6) {
        const QStringList block = catalogue.mid(k, 6);
        names << block[0];
        // Right, left, cover, back: pages stretched up to 546 x 816 must not be blown up.
        for (int line = 1; line <= 4; ++line) {
            const QSize size = DecodedSize(block[line]);
            EXPECT_GE(size.width(), 546) << qPrintable(block[line]);
            EXPECT_GE(size.height(), 816) << qPrintable(block[line]);
            EXPECT_FALSE(QFileInfo(block[line]).isAbsolute()) << qPrintable(block[line]);
        }
        EXPECT_FALSE(DecodedSize(block[5]).isEmpty()) << qPrintable(block[5]);
        // Each theme folder carries the same block in its own Theme.ini, for installing again.
        const QString themeIni = QFileInfo(Path(block[1])).absolutePath() + "/Theme.ini";
        EXPECT_EQ(ReadLines(themeIni), block) << qPrintable(themeIni);
    }
    EXPECT_EQ(names.removeDuplicates(), 0);
    EXPECT_TRUE(names.contains("Classic"));
}

TEST(Sounds, BothAreShort16BitPcmWaves) {
    struct Expected {
        const char* file;
        double minSeconds;
        double maxSeconds;
    };
    for (const Expected& e :
         {Expected{"WavRes/1.wav", 0.3, 0.6}, Expected{"WavRes/2.wav", 1.2, 2.0}}) {
        QFile f(Path(e.file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << e.file;
        const QByteArray d = f.readAll();
        ASSERT_GE(d.size(), 44) << e.file;
        EXPECT_EQ(d.left(4), "RIFF");
        EXPECT_EQ(d.mid(8, 4), "WAVE");
        EXPECT_EQ(d.mid(12, 4), "fmt ");
        const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(d.constData() + at); };
        const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(d.constData() + at); };
        EXPECT_EQ(u16(20), 1) << "PCM";
        const int channels = u16(22), rate = int(u32(24)), bits = u16(34);
        EXPECT_EQ(bits, 16);
        EXPECT_EQ(d.mid(36, 4), "data");
        const quint32 bytes = u32(40);
        EXPECT_EQ(qsizetype(44 + bytes), d.size());
        const double seconds = double(bytes) / (rate * channels * 2);
        EXPECT_GE(seconds, e.minSeconds) << e.file;
        EXPECT_LE(seconds, e.maxSeconds) << e.file;
    }
}

TEST(SampleAlbum, NamesItsPicturesByAbsolutePathWithShortNotes) {
    const QString album = Path(QStringLiteral("Albums/Sample.kpa"));
    QFile f(album);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "every line ends in CR LF";
    const QStringList lines = ReadLines(album);
    ASSERT_GE(lines.size(), 11);
    EXPECT_EQ(lines[0], "The Krel 1.0 - Digital Photo Album");
    for (int i = 4; i <= 7; ++i)
        EXPECT_TRUE(QFileInfo::exists(Path(lines[i]))) << qPrintable(lines[i]);
    EXPECT_TRUE(lines[8] == "1" || lines[8] == "2");
    const int count = ParseInt(lines[9]);
    EXPECT_GE(count, 12);
    ASSERT_EQ(lines.size(), 11 + 2 * count);

    int bmp = 0, landscape = 0, portrait = 0, square = 0;
    for (int i = 0; i < count; ++i) {
        const QString picture = lines[11 + 2 * i];
        EXPECT_TRUE(QFileInfo(picture).isAbsolute()) << qPrintable(picture);
        EXPECT_LE(picture.toUtf8().size(), ShortFieldMax);
        EXPECT_TRUE(picture.startsWith(Folder())) << qPrintable(picture);
        const QSize size = ReadPictureSize(picture);
        EXPECT_EQ(LoadPicture(picture).size(), size);
        bmp += PictureKindOf(picture) == PictureKind::Bmp;
        landscape += size.width() > size.height();
        portrait += size.width() < size.height();
        square += size.width() == size.height();
        const QString note = lines[12 + 2 * i];
        EXPECT_FALSE(note.isEmpty());
        EXPECT_LE(note.size(), 20) << qPrintable(note);
    }
    EXPECT_GT(bmp, 0);
    EXPECT_LT(bmp, count);
    EXPECT_GT(landscape, 0);
    EXPECT_GT(portrait, 0);
    EXPECT_GT(square, 0);
}

TEST(Splash, FigureStandsOnItsTopLeftColour) {
    const QImage splash = LoadPicture(Path(QStringLiteral("GraphicRes/Splash.bmp")));
    ASSERT_EQ(splash.size(), QSize(375, 255));
    const QRgb key = splash.pixel(0, 0);
    for (QPoint corner : {QPoint(374, 0), QPoint(0, 254), QPoint(374, 254)})
        EXPECT_EQ(splash.pixel(corner), key);
    int figure = 0;
    for (int y = 0; y < splash.height(); ++y)
        for (int x = 0; x < splash.width(); ++x)
            figure += splash.pixel(x, y) != key;
    EXPECT_GT(figure, splash.width() * splash.height() / 2);
    EXPECT_NE(splash.pixel(187, 127), key);
    EXPECT_FALSE(QImage(Path(QStringLiteral("GraphicRes/Icon.png"))).isNull());
}

TEST(Help, GuideAndCreditsAreInstalled) {
    const auto text = [](const char* relative) {
        QFile f(Path(relative));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative;
        return QString::fromUtf8(f.readAll());
    };
    const QString guide = text("Help/Help.html");
    for (const char* key : {"Ctrl</kbd>+<kbd>N", "Ctrl</kbd>+<kbd>Shift</kbd>+<kbd>S", "Theme.ini",
                            "Res.ini", "Print", "Save as picture", "slideshow"})
        EXPECT_TRUE(guide.contains(key, Qt::CaseInsensitive)) << key;
    const QString credits = text("Help/Special thnx.htm");
    for (const char* library :
         {"Qt", "LGPLv3", "libjpeg-turbo", "IJG", "SDL2", "zlib", "GLib", "GoogleTest"})
        EXPECT_TRUE(credits.contains(library)) << library;
}
