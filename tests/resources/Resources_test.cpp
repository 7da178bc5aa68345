// The installed program folder as the build lays it out: every file that a data file names exists
// and decodes, the data files have their exact line counts, and the sounds are 16-bit PCM.
#include "album/Album.h"
#include "album/AlbumLoader.h"
#include "album/Geometry.h"
#include "album/ThumbnailStore.h"
#include "app/AppContext.h"
#include "platform/PictureIO.h"
#include "platform/ProgramFolder.h"
#include "platform/Progress.h"
#include "platform/SoundPlayer.h"
#include "platform/TextLines.h"
#include "tests/support/ScriptedDialogs.h"
#include "themes/Settings.h"
#include "themes/SkinLayout.h"
#include "themes/Themes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
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

// A skin layout file read by the windows' own reader, by line.
template <typename Line> QMap<Line, int> Layout(const QString& path) {
    QMap<Line, int> values;
    ReadSkinLayout<Line>(path, [&](Line line, int value) { values[line] = value; });
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
    using L = MainLine;
    const QMap<L, int> v = Layout<L>(MainLayoutPath(Folder()));
    ASSERT_EQ(v.size(), int(L::Count));
    EXPECT_EQ(ReadLines(MainLayoutPath(Folder())).size(), 18);
    const QSize window(v[L::Width], v[L::Height]);
    EXPECT_EQ(DecodedSize(QStringLiteral("GraphicRes\\Main\\Main.jpg")), window);

    struct Button {
        const char* name;
        QPoint at;
    };
    const Button buttons[] = {
        {"Create", {v[L::CreateLeft], v[L::CreateTop]}},
        {"Open", {v[L::OpenLeft], v[L::OpenTop]}},
        {"Preferences", {v[L::PreferencesLeft], v[L::PreferencesTop]}},
        {"Help", {v[L::HelpLeft], v[L::HelpTop]}},
        {"About", {v[L::AboutLeft], v[L::AboutTop]}},
        {"Exit", {v[L::ExitLeft], v[L::ExitTop]}},
        {"WMin", {v[L::WMinLeft], v[L::WMinTop]}},
        {"WClose", {v[L::WCloseLeft], v[L::WCloseTop]}},
    };
    QList<QRect> places;
    for (const Button& b : buttons) {
        const QString base = QStringLiteral("GraphicRes\\Main\\") + b.name;
        const QSize size = DecodedSize(base + States[0]);
        for (const QString& state : States)
            EXPECT_EQ(DecodedSize(base + state), size) << qPrintable(base + state);
        places << QRect(b.at, size);
        EXPECT_TRUE(QRect(QPoint(0, 0), window).contains(places.last())) << b.name;
    }
    // The window falls back on these places when it cannot read Main.ini.
    EXPECT_EQ(window, ShippedMainSize);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(places[i], ShippedMainButtons()[i]) << buttons[i].name;
    // WClose is shown in a 25 x 25 control, unscaled from its top-left corner.
    EXPECT_LE(places[7].width(), 25);
    EXPECT_LE(places[7].height(), 25);
    for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j)
            EXPECT_FALSE(places[i].intersects(places[j]))
                << buttons[i].name << " " << buttons[j].name;
    // The wizard and the preferences open 105 pixels right of the window's left edge and 503
    // pixels wide: the start window is wide enough to frame them, and the main buttons stay seen.
    EXPECT_GE(window.width(), 105 + 503);
    for (int i = 0; i < 6; ++i)
        EXPECT_LE(places[i].right(), 105) << buttons[i].name;
}

TEST(WizardSkin, LayoutAndPicturesFitTheWizardWindow) {
    using L = WizardLine;
    const QMap<L, int> v = Layout<L>(WizardLayoutPath(Folder()));
    ASSERT_EQ(v.size(), int(L::Count));
    EXPECT_EQ(ReadLines(WizardLayoutPath(Folder())).size(), 16);
    const QRect window(0, 0, 503, 353);
    const QString dir = QStringLiteral("GraphicRes\\Wizard\\");
    EXPECT_EQ(DecodedSize(dir + "Panel01.jpg"), window.size());
    EXPECT_EQ(DecodedSize(dir + "Panel02.jpg"), window.size());

    struct Control {
        const char* picture; // file-name stem
        int states;          // Normal, OnMouse and (when 3) OnClick
        QPoint at;
    };
    const Control controls[] = {
        {"Exit", 3, {v[L::ExitLeft], v[L::ExitTop]}}, {"Next", 3, {v[L::NextLeft], v[L::NextTop]}},
        {"Back", 2, {v[L::BackLeft], v[L::BackTop]}}, {"Hor", 3, {v[L::HorLeft], v[L::HorTop]}},
        {"Ver", 3, {v[L::VerLeft], v[L::VerTop]}},
    };
    QList<QRect> page2;
    for (const Control& c : controls) {
        const QSize size = DecodedSize(dir + c.picture + States[0]);
        for (int s = 0; s < c.states; ++s)
            EXPECT_EQ(DecodedSize(dir + c.picture + States[s]), size) << c.picture;
        if (QByteArray(c.picture) != "Hor" && QByteArray(c.picture) != "Ver") {
            EXPECT_EQ(size, QSize(57, 17)) << c.picture;
        }
        page2 << QRect(c.at, size);
        EXPECT_TRUE(window.contains(page2.last())) << c.picture;
    }
    for (int i = 0; i < page2.size(); ++i)
        for (int j = i + 1; j < page2.size(); ++j)
            EXPECT_FALSE(page2[i].intersects(page2[j]))
                << controls[i].picture << " " << controls[j].picture;

    // Theme page: the list and the preview (every theme's preview has one size) side by side.
    const QRect list(v[L::ListLeft], v[L::ListTop], v[L::ListWidth], v[L::ListHeight]);
    EXPECT_TRUE(window.contains(list));
    EXPECT_GE(list.height(), 13 * 5) << "room for five theme names";
    const QVector<TThemes> themes = ReadInstalledThemes(Folder());
    ASSERT_FALSE(themes.isEmpty());
    const QRect preview(QPoint(v[L::PreviewLeft], v[L::PreviewTop]),
                        DecodedSize(themes[0].PreviewPath));
    EXPECT_TRUE(window.contains(preview));
    EXPECT_FALSE(list.intersects(preview));
    for (const QRect& button : {page2[0], page2[1]}) {
        EXPECT_FALSE(list.intersects(button));
        EXPECT_FALSE(preview.intersects(button));
    }
}

TEST(Themes, ResIniCountsTheCatalogueBlocksAndHoldsTheDefaults) {
    const int blocks = int(ReadLines(CataloguePath(Folder())).size());
    ASSERT_EQ(blocks % ThemeBlockLines, 0);
    EXPECT_EQ(ReadThemeCount(Folder()), blocks / ThemeBlockLines);
    EXPECT_GE(blocks / ThemeBlockLines, 3);
    const SlideSettings slides = ReadSlideSettings(Folder());
    EXPECT_TRUE(slides.Forward);
    EXPECT_EQ(slides.IntervalSeconds, 5);
    EXPECT_EQ(ReadPictureSizes(Folder()), DefaultPictureSizes());
    EXPECT_EQ(ReadLines(SettingsPath(Folder())),
              (QStringList{QString::number(blocks / ThemeBlockLines), "0", "5", "-"} +
               DefaultPictureSizes()));
}

TEST(Themes, EveryInstalledThemeNamesPicturesThatDecodeAndShipsItsThemeIni) {
    const QVector<TThemes> themes = ReadInstalledThemes(Folder());
    QStringList names;
    for (const TThemes& theme : themes) {
        names << theme.Name;
        // Pages and covers are stretched up to 546 x 816 and must not be blown up.
        for (const QString& page :
             {theme.CoverPath, theme.LeftPath, theme.RightPath, theme.BackPath}) {
            const QSize size = DecodedSize(page);
            EXPECT_GE(size.width(), 546) << qPrintable(page);
            EXPECT_GE(size.height(), 816) << qPrintable(page);
            EXPECT_FALSE(QFileInfo(page).isAbsolute()) << qPrintable(page);
        }
        EXPECT_EQ(DecodedSize(theme.PreviewPath), DecodedSize(themes[0].PreviewPath));
        // Each theme folder carries its own Theme.ini, to install the theme again after removal.
        const QString themeIni = QFileInfo(Path(theme.RightPath)).absolutePath() + "/Theme.ini";
        EXPECT_EQ(ReadThemeFile(themeIni), theme) << qPrintable(themeIni);
        EXPECT_EQ(ReadLines(themeIni).size(), ThemeBlockLines);
        EXPECT_TRUE(ThemeFileProblems(Folder(), themeIni, ReadLineBytes(themeIni)).isEmpty())
            << qPrintable(themeIni);
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

// The program's own player (SDL) takes both files: with the dummy device a file it reads plays
// for its whole length, while one it cannot read returns at once.
TEST(Sounds, BothPlayToTheirEndThroughTheSoundPlayer) {
    if (qEnvironmentVariable("SDL_AUDIODRIVER") != QLatin1String("dummy"))
        GTEST_SKIP() << "needs SDL_AUDIODRIVER=dummy";
    for (const auto& [file, seconds] :
         {std::pair{"WavRes/1.wav", 0.42}, std::pair{"WavRes/2.wav", 1.5}}) {
        QElapsedTimer clock;
        clock.start();
        PlayWavToEnd(Path(file));
        const double played = clock.elapsed() / 1000.0;
        EXPECT_GE(played, seconds * 0.8) << file;
        EXPECT_LT(played, seconds + 2.5) << file;
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

TEST(SampleAlbum, LoadsWithoutAMessageIntoAFullBook) {
    AlbumSession session;
    session.PageHeight = 816; // the largest pages
    session.PageWidth = 545;
    ScriptedDialogs dialogs;
    NullProgress progress;
    AppContext context;
    context.ProgramFolder = Folder();
    context.Dialogs = &dialogs;
    context.ProgressWindow = &progress;
    context.Session = &session;
    TAlbum seen;
    context.ShowAlbumView = [&] {
        seen = session.Album;
        EmptyAlbum(session);
    };
    EXPECT_EQ(OpenAlbum(context, Path(QStringLiteral("Albums/Sample.kpa"))), LoadResult::Shown);
    EXPECT_TRUE(dialogs.Texts().isEmpty()) << qPrintable(dialogs.Texts().join(" / "));
    EXPECT_TRUE(session.PendingResavePath.isEmpty());
    ASSERT_GE(seen.Count, 12);
    EXPECT_EQ(seen.IndexPages, 1);
    ASSERT_TRUE(seen.Thumbnails);
    for (const TFoto& foto : seen.Fotos)
        EXPECT_FALSE(
            seen.Thumbnails->Fetch({{foto.FileName, foto.PictureSize, RectSize(foto.Rect)}})[0]
                .isNull())
            << qPrintable(foto.FileName);
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
