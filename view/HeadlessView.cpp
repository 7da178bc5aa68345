#include "view/HeadlessView.h"

#include "album/ThumbnailStore.h"

#include "album/Album.h"
#include "album/AlbumLoader.h"
#include "album/Geometry.h"
#include "app/AppContext.h"
#include "platform/DeviceGrid.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "platform/Progress.h"
#include "platform/StderrDialogs.h"
#include "themes/BookSettings.h"
#include "view/AlbumBook.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <cstdio>

namespace {

const QString RenderOption = QStringLiteral("--render");
const QString ScreenOption = QStringLiteral("--screen");
const QString OutOption = QStringLiteral("--out");
const QString ScaleOption = QStringLiteral("--scale");
const QString Usage = QStringLiteral(
    "usage: krel-album --render SPREAD --screen WxH [--scale F] --out FILE.png ALBUM.kpa");
constexpr double MinScale = 1.0;
constexpr double MaxScale = 4.0;
constexpr int MaxScreenSide = 16384;

[[noreturn]] void Refuse(const QString& why) {
    throw KrelError(why + QStringLiteral("\n") + Usage);
}

QSize ParseScreen(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 1 || h < 1 || w > MaxScreenSide || h > MaxScreenSide)
        Refuse(QStringLiteral("--screen takes WIDTHxHEIGHT in pixels, not '%1'").arg(text));
    return {w, h};
}

double ParseScale(const QString& text) {
    bool ok = false;
    const double scale = text.toDouble(&ok);
    if (!ok || !(scale >= MinScale && scale <= MaxScale))
        Refuse(QStringLiteral("--scale takes a pixel ratio from 1 to 4, not '%1'").arg(text));
    return scale;
}

} // namespace

bool IsRenderCommand(const QStringList& arguments) {
    return !arguments.isEmpty() && arguments.front() == RenderOption;
}

RenderRequest ParseRenderCommand(const QStringList& arguments) {
    RenderRequest request;
    QStringList rest = arguments;
    auto take = [&](const QString& what) {
        if (rest.isEmpty())
            Refuse(QStringLiteral("missing %1").arg(what));
        return rest.takeFirst();
    };
    if (take(QStringLiteral("command")) != RenderOption)
        Refuse(QStringLiteral("not a render command"));
    const QString spread = take(QStringLiteral("spread number"));
    bool ok = false;
    request.Spread = spread.toInt(&ok);
    if (!ok || request.Spread < 0)
        Refuse(QStringLiteral("the spread is a number from 0, not '%1'").arg(spread));
    while (!rest.isEmpty()) {
        const QString option = rest.takeFirst();
        if (option == ScreenOption)
            request.Screen = ParseScreen(take(QStringLiteral("screen size")));
        else if (option == ScaleOption)
            request.Scale = ParseScale(take(QStringLiteral("pixel ratio")));
        else if (option == OutOption)
            request.Out = take(QStringLiteral("output file"));
        else if (request.Album.isEmpty() && !option.startsWith(QLatin1String("--")))
            request.Album = option;
        else
            Refuse(QStringLiteral("unexpected argument '%1'").arg(option));
    }
    if (request.Screen.isEmpty())
        Refuse(QStringLiteral("missing --screen"));
    const QSize device = DeviceSize(request.Screen, request.Scale);
    if (device.width() > MaxScreenSide || device.height() > MaxScreenSide)
        Refuse(
            QStringLiteral("the screen is at most %1 device pixels on a side").arg(MaxScreenSide));
    if (request.Out.isEmpty())
        Refuse(QStringLiteral("missing --out"));
    if (request.Album.isEmpty())
        Refuse(QStringLiteral("missing album file"));
    return request;
}

void RenderAlbumView(const RenderRequest& request, const QString& programFolder) {
    if (!QFileInfo(request.Album).isFile())
        throw KrelError(QStringLiteral("Album file not found: %1").arg(request.Album));
    StderrDialogs dialogs;
    NullProgress progress;
    AlbumSession session;
    // The page images as the album view makes them for this screen, before the load lays out.
    SelektSizePage(session, request.Screen, ReadBookSize(programFolder));
    const PageRects rects = PageRectsFor(request.Screen.width(), request.Screen.height(),
                                         {session.PageHeight, session.PageWidth});
    session.Album.LeftPageRect = rects.Left;
    session.Album.RightPageRect = rects.Right;
    AlbumBook book(session);
    book.CreatePages(request.Scale);

    AppContext context;
    context.ProgramFolder = programFolder;
    context.Dialogs = &dialogs;
    context.ProgressWindow = &progress;
    context.Session = &session;
    QString failure;
    bool written = false;
    context.ShowAlbumView = [&] {
        if (request.Spread > session.Album.SpreadCount + 1) {
            failure = QStringLiteral("The album has spreads 0 to %1, not %2")
                          .arg(session.Album.SpreadCount + 1)
                          .arg(request.Spread);
            return;
        }
        session.CurrentSpread = request.Spread;
        book.Redraw();
        // A picture that cannot be decoded leaves its frame empty and is named, as the view does.
        if (session.Album.Thumbnails)
            for (const QString& message : session.Album.Thumbnails->TakeFailures())
                dialogs.Message(message, MessageKind::Error, MessageButtons::Yes);
        QImage screen(DeviceSize(request.Screen, session.Album.PixelRatio), QImage::Format_RGB32);
        screen.fill(Qt::black);
        QPainter painter(&screen);
        book.Paint(painter);
        painter.end();
        QImageWriter writer(request.Out, "png");
        if (!writer.write(screen))
            failure = QStringLiteral("Cannot write %1: %2").arg(request.Out, writer.errorString());
        else
            written = true;
    };
    const LoadResult result = OpenAlbum(context, request.Album);
    if (!failure.isEmpty())
        throw KrelError(failure);
    if (result != LoadResult::Shown || !written)
        throw KrelError(QStringLiteral("The album could not be shown: %1").arg(request.Album));
}

int RunRenderCommand(int argc, char** argv) {
    // No window is shown, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        RenderAlbumView(ParseRenderCommand(QGuiApplication::arguments().mid(1)), GetPath());
    } catch (const KrelError& e) {
        PrintError(QString(), e.Message);
        return 1;
    } catch (const std::exception& e) {
        PrintError(QString(), QString::fromLocal8Bit(e.what()));
        return 1;
    }
    return 0;
}
