#include "view/PageRenderer.h"

#include "album/Geometry.h"
#include "album/SpreadThumbnails.h"
#include "album/ThumbnailStore.h"
#include "platform/DeviceGrid.h"

namespace {

constexpr int NumberFontSize = 10;
constexpr int LabelFontSize = 8;
constexpr int SmallestLabelFontSize = 6; // still readable; below it a label is cut short instead
constexpr int LabelAir = 2; // a label keeps this far from its strip's edges: the border and a pixel
constexpr int FittedCacheLimit = 400;
const QString ContentFooter = QStringLiteral("Content");
const QString NotesLabel = QStringLiteral("Notes:");
const QString PageLabel = QStringLiteral("Page: ");

// Area-averaged scaling is costly on large sources: a fast step first brings the source down to
// twice the target, which keeps the averaging's look at a fraction of its cost.
QImage SmoothlyScaled(const QImage& source, QSize target) {
    const QSize twice = target * 2;
    if (source.width() > twice.width() && source.height() > twice.height())
        return source.scaled(twice, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool EntryExists(const TAlbum& album, int entry) {
    return entry >= 0 && entry < album.Count && entry < album.Fotos.size();
}

// Side of the page on which entry e's picture stands: 0 left, 1 right.
int PictureSide(const TAlbum& album, int entry) {
    if (album.Orientation == OrientationHorizontal)
        return (entry % 4 == 2 || entry % 4 == 3) ? 1 : 0;
    return entry % 2;
}

} // namespace

int ContentsLabelPage(const TAlbum& album, int entry) {
    const int perFrame = album.Orientation == OrientationHorizontal ? 2 : 1;
    return 2 * (album.IndexPages + (entry / perFrame) / 2) + 1 + PictureSide(album, entry);
}

PageRenderer::PageRenderer() : CurrentNotes(NotesCount) {}

void PageRenderer::InitCanvasStates() {
    for (CanvasState* s : {&LeftState, &RightState}) {
        s->FontBold = true;
        s->BrushColor = PageBlack;
    }
}

void PageRenderer::DrawFon(AlbumSession& session) {
    TAlbum& album = session.Album;
    if (album.LeftPage.isNull() || album.RightPage.isNull())
        return;
    const int s = session.CurrentSpread;
    FetchSpread(album, s);
    switch (KindOfSpread(album, s)) {
    case SpreadKind::FrontCover: {
        {
            PageCanvas left(album.LeftPage, LeftState, album.PixelRatio);
            LeftState.BrushColor = PageBlack;
            LeftState.PenColor = PageBlack;
            left.FillRect({0, 0, left.Width(), left.Height()});
        }
        PageCanvas(album.RightPage, RightState, album.PixelRatio)
            .StretchDrawAll(Fitted(album.Cover, album.RightPage.size()));
        break;
    }
    case SpreadKind::Contents:
        DrawBackgrounds(album);
        DrawIndex(session, s);
        DrawNumPage(session);
        break;
    case SpreadKind::Pictures:
        DrawBackgrounds(album);
        DrawFoto(album, s - album.IndexPages);
        DrawNumPage(session);
        DrawNotes(album, s - album.IndexPages);
        DrawLine(album);
        break;
    case SpreadKind::BackCover: {
        {
            PageCanvas right(album.RightPage, RightState, album.PixelRatio);
            RightState.BrushColor = PageBlack;
            RightState.PenColor = PageBlack;
            right.FillRect({0, 0, right.Width(), right.Height()});
        }
        PageCanvas(album.LeftPage, LeftState, album.PixelRatio)
            .StretchDrawAll(Fitted(album.BackCover, album.LeftPage.size()));
        break;
    }
    case SpreadKind::None:
        break;
    }
}

void PageRenderer::FetchSpread(const TAlbum& album, int spread) {
    fetched_.clear();
    if (!album.Thumbnails)
        return;
    QVector<ThumbnailRequest> needed;
    for (const ThumbnailRequest& r : SpreadThumbnails(album, spread))
        if (album.Fotos[r.Entry].Picture.isNull())
            needed << r;
    const QVector<QImage> images = album.Thumbnails->Fetch(needed);
    for (int i = 0; i < needed.size(); ++i)
        fetched_.insert(needed[i].Entry, images[i]);
    const int direction = spread >= lastSpread_ ? 1 : -1;
    lastSpread_ = spread;
    QVector<ThumbnailRequest> later;
    for (int next : SpreadsToPrepare(album, spread, direction))
        later += SpreadThumbnails(album, next);
    album.Thumbnails->Want(later);
}

const QImage& PageRenderer::Thumbnail(const TAlbum& album, int entry) const {
    const QImage& own = album.Fotos[entry].Picture;
    const auto it = fetched_.find(entry);
    return own.isNull() && it != fetched_.end() ? *it : own;
}

void PageRenderer::DrawIndex(AlbumSession& session, int contentsSpread) {
    TAlbum& album = session.Album;
    PageCanvas left(album.LeftPage, LeftState, album.PixelRatio);
    PageCanvas right(album.RightPage, RightState, album.PixelRatio);
    const int first = FirstContentsEntry(contentsSpread, false);
    for (int i = first; i < first + EntriesPerContentsPage; ++i) {
        if (EntryExists(album, i))
            DrawIndexEntry(left, session, i, i);
        if (EntryExists(album, i + EntriesPerContentsPage))
            DrawIndexEntry(right, session, i, i + EntriesPerContentsPage);
    }
}

// Entry `entry` in the cell of entry `cellOf` (entries a and a + 20 share one cell position).
void PageRenderer::DrawIndexEntry(PageCanvas& canvas, const AlbumSession& session, int cellOf,
                                  int entry) {
    const TAlbum& album = session.Album;
    if (cellOf >= album.Index.size() || entry >= album.Index.size())
        return;
    CanvasState& st = canvas.State();
    const TRect cell = album.Index[cellOf].CellRect;

    st.BrushClear = false;
    st.BrushColor = PageWhite;
    canvas.Rectangle(cell);

    st.PenColor = PageBlack;
    const TRect& fotoRect = album.Index[entry].FotoRect;
    canvas.StretchDraw(fotoRect,
                       Fitted(Thumbnail(album, entry), ThumbnailSize(fotoRect, album.PixelRatio)));

    TRect strip = cell;
    strip.Top = cell.Bottom - session.PageHeight / 32;
    st.BrushClear = true;
    st.PenColor = PageGrey;
    st.PenWidth = 1;
    canvas.Rectangle(strip);

    st.FontColor = PageBlack;
    st.FontSize = LabelFontSize;
    // The label stands at its place when it fits there; else it moves left. When even the whole
    // strip is too narrow it is set smaller, then shows the page number alone, so the number
    // stays readable; only then is it cut short. It never touches the strip's border.
    const QString number = QString::number(ContentsLabelPage(album, entry));
    QString label = PageLabel + number;
    const int innerLeft = strip.Left + LabelAir;
    const int innerRight = strip.Right - LabelAir;
    while (st.FontSize > SmallestLabelFontSize && canvas.TextWidth(label) > innerRight - innerLeft)
        --st.FontSize;
    if (canvas.TextWidth(label) > innerRight - innerLeft) {
        label = number;
        st.FontSize = LabelFontSize;
        while (st.FontSize > SmallestLabelFontSize &&
               canvas.TextWidth(label) > innerRight - innerLeft)
            --st.FontSize;
    }
    int x = strip.Left + strip.Width() / 2 - 25;
    const int width = canvas.TextWidth(label);
    if (x + width > innerRight)
        x = std::max(innerLeft, innerLeft + (innerRight - innerLeft - width) / 2);
    canvas.TextOut(x, strip.Top + strip.Height() / 2 - 7, label, innerRight);

    st.BrushClear = true;
    canvas.Rectangle(cell);
    st.PenColor = PageBlack;
}

const QImage& PageRenderer::Fitted(const QImage& source, QSize size) {
    if (source.isNull() || size.isEmpty() || source.size() == size)
        return source;
    const QString key =
        QStringLiteral("%1/%2x%3").arg(source.cacheKey()).arg(size.width()).arg(size.height());
    auto it = fittedCache_.find(key);
    if (it != fittedCache_.end())
        return *it;
    if (fittedCache_.size() >= FittedCacheLimit)
        fittedCache_.clear();
    return *fittedCache_.insert(key, SmoothlyScaled(source, size));
}

void PageRenderer::DrawBackgrounds(TAlbum& album) {
    PageCanvas(album.LeftPage, LeftState, album.PixelRatio)
        .StretchDrawAll(Fitted(album.LeftBackground, album.LeftPage.size()));
    PageCanvas(album.RightPage, RightState, album.PixelRatio)
        .StretchDrawAll(Fitted(album.RightBackground, album.RightPage.size()));
}

void PageRenderer::DrawFoto(TAlbum& album, int k) {
    PageCanvas left(album.LeftPage, LeftState, album.PixelRatio);
    PageCanvas right(album.RightPage, RightState, album.PixelRatio);
    const int perPage = album.Orientation == OrientationHorizontal ? 2 : 1;
    const int first = 2 * perPage * (k - 1);
    for (int j = 0; j < 2 * perPage; ++j) {
        const int e = first + j;
        if (!EntryExists(album, e))
            continue;
        PageCanvas& canvas = j < perPage ? left : right;
        const TFoto& foto = album.Fotos[e];
        canvas.StretchDraw(foto.Rect,
                           Fitted(Thumbnail(album, e), ThumbnailSize(foto.Rect, album.PixelRatio)));
    }
}

void PageRenderer::DrawNumPage(AlbumSession& session) {
    TAlbum& album = session.Album;
    const int s = session.CurrentSpread;
    const bool numbers = s > album.IndexPages;
    QImage* pages[] = {&album.LeftPage, &album.RightPage};
    CanvasState* states[] = {&LeftState, &RightState};
    for (int side = 0; side < 2; ++side) {
        PageCanvas canvas(*pages[side], *states[side], album.PixelRatio);
        CanvasState& st = canvas.State();
        st.FontColor = PageBlack;
        st.FontSize = NumberFontSize;
        st.BrushClear = true;
        const int w = canvas.Width();
        const int h = canvas.Height();
        if (numbers)
            canvas.TextOut(w / 2 - 5, h - h / 23, QString::number(2 * s - 1 + side));
        else
            canvas.TextOut(w / 2 - 25, h - h / 23, ContentFooter);
    }
}

void PageRenderer::DrawNotes(const TAlbum& album, int k) {
    const int perSpread = album.Orientation == OrientationHorizontal ? 4 : 2;
    const int first = perSpread * (k - 1);
    CurrentNotes = QStringList(NotesCount);
    for (int j = 0; j < perSpread; ++j) {
        if (EntryExists(album, first + j))
            CurrentNotes[j] = album.Fotos[first + j].Note;
    }
}

void PageRenderer::DrawLine(TAlbum& album) {
    PageCanvas left(album.LeftPage, LeftState, album.PixelRatio);
    PageCanvas right(album.RightPage, RightState, album.PixelRatio);
    for (CanvasState* st : {&LeftState, &RightState}) {
        st->PenColor = PageBlack;
        st->FontColor = PageRed;
        st->FontBold = true;
    }
    struct Ruled {
        PageCanvas* canvas;
        const TRect* frame;
    };
    QVector<Ruled> frames;
    if (album.Orientation == OrientationHorizontal)
        frames = {{&left, &album.LeftFrame1},
                  {&left, &album.LeftFrame2},
                  {&right, &album.RightFrame1},
                  {&right, &album.RightFrame2}};
    else
        frames = {{&left, &album.LeftFrame1}, {&right, &album.RightFrame1}};

    for (int n = 0; n < frames.size(); ++n) {
        PageCanvas& canvas = *frames[n].canvas;
        const TRect& f = *frames[n].frame;
        CanvasState& st = canvas.State();
        const int h = canvas.Height();
        canvas.Line(f.Left + h / 13, f.Bottom + h / 21, f.Right - h / 13, f.Bottom + h / 21);
        canvas.Line(f.Left + h / 13, f.Bottom + h / 13, f.Right - h / 13, f.Bottom + h / 13);
        canvas.TextOut(f.Left + h / 12, f.Bottom + h / 21, NotesLabel);
        st.FontColor = PageBlack;
        st.FontBold = false;
        // A note longer than its line is cut short at the line's end; the album keeps it whole.
        canvas.TextOut(f.Left + h / 12 + 50, f.Bottom + h / 21, CurrentNotes.value(n),
                       f.Right - h / 13);
        st.FontBold = true;
        st.FontColor = PageRed;
    }
}
