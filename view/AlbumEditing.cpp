#include "view/AlbumEditing.h"

#include "album/Geometry.h"
#include "album/ThumbnailStore.h"
#include "platform/DeviceGrid.h"
#include "platform/Errors.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"

#include <memory>

namespace {

// Lays out the last entry of the album, which has just been appended; throws for a picture that
// cannot be loaded.
void LayOutLastEntry(TAlbum& album, QSize pageImage) {
    FotoRectOptions options;
    options.FirstEntry = int(album.Fotos.size()) - 1;
    CreateFotoRect(album, pageImage, options);
}

void AppendLaidOut(TAlbum& album, const QString& path, QSize pageImage,
                   QVector<SkippedPicture>& skipped) {
    TFoto foto;
    foto.FileName = path;
    album.Fotos.push_back(foto);
    try {
        LayOutLastEntry(album, pageImage);
    } catch (const KrelError& e) {
        album.Fotos.pop_back();
        skipped.push_back({path, e.Message});
    }
}

// The last spread of the album is its back cover.
void KeepSpreadInAlbum(AlbumSession& session) {
    session.CurrentSpread = std::clamp(session.CurrentSpread, 0, session.Album.SpreadCount + 1);
}

// A thumbnail of size from the one the entry has (a moved entry's frame may differ by a few
// pixels); no file is read.
QImage RefitThumbnail(const QImage& thumbnail, QSize size) {
    if (thumbnail.isNull() || size.isEmpty())
        return {};
    if (thumbnail.size() == size)
        return thumbnail;
    return thumbnail.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QVector<SkippedPicture> AddPictures(AlbumSession& session, const QStringList& files,
                                    QSize pageImage, Progress* progress) {
    NullProgress none;
    Progress& bar = progress != nullptr ? *progress : none;
    TAlbum& album = session.Album;
    bar.SetRange(0, AddProgressSteps);
    bar.SetPosition(0);
    bar.Show();
    // The window closes on every way out, an error's included.
    const std::unique_ptr<Progress, void (*)(Progress*)> closer(&bar,
                                                                [](Progress* p) { p->Close(); });
    // Entries past Count are the ones being added.
    album.Fotos.resize(album.Count);
    bar.Advance(1);
    QVector<SkippedPicture> skipped;
    for (const QString& path : files)
        AppendLaidOut(album, path, pageImage, skipped);
    bar.Advance(1);
    if (album.Fotos.size() != album.Count)
        session.AlbumSaved = false; // pictures went in: leaving the album asks first
    album.Count = int(album.Fotos.size());
    CreateIndexRect(album, pageImage);
    session.CurrentSpread = 0;
    bar.Advance(1);
    ComputeDerivedNumbers(album);
    bar.Advance(1);
    return skipped;
}

QString SkippedPicturesMessage(const QVector<SkippedPicture>& skipped) {
    if (skipped.isEmpty())
        return {};
    QStringList lines{QStringLiteral("These files were not added to the album:")};
    // The loader's reasons name the file already.
    for (const SkippedPicture& s : skipped)
        lines << (s.Reason.contains(s.Path) ? s.Reason
                                            : QStringLiteral("%1 (%2)").arg(s.Path, s.Reason));
    return lines.join(QLatin1Char('\n'));
}

void DeletePicture(AlbumSession& session, int sel, QSize pageImage) {
    TAlbum& album = session.Album;
    if (sel < 0 || sel >= album.Count || sel >= album.Fotos.size())
        return;
    album.Fotos.removeAt(sel);
    if (sel < album.Index.size())
        album.Index.removeAt(sel);
    album.Count -= 1;
    session.AlbumSaved = false;
    if (IsValidOrientation(album.Orientation)) {
        const PageFrames frames =
            FramesFor(album.Orientation, pageImage.width(), pageImage.height());
        for (int i = sel; i < album.Count; ++i) {
            TFoto& foto = album.Fotos[i];
            if (foto.PictureSize.isEmpty() || foto.Rect.IsEmpty())
                continue; // never laid out (unreadable): nothing to move
            foto.Rect =
                Dimension(foto.PictureSize, FrameOf(frames, FrameSlotOf(album.Orientation, i)));
            foto.Picture = RefitThumbnail(foto.Picture, ThumbnailSize(foto.Rect, album.PixelRatio));
        }
        CreateIndexRect(album, pageImage);
        ComputeDerivedNumbers(album);
    } else {
        album.IndexPages = CountIndexPages(album.Count);
    }
    KeepSpreadInAlbum(session);
}

void DeleteAllPictures(AlbumSession& session) {
    TAlbum& album = session.Album;
    album.Fotos.clear();
    album.Count = 0;
    session.AlbumSaved = false;
    album.SpreadCount = album.IndexPages;
    KeepSpreadInAlbum(session);
}

void TransformPicture(AlbumSession& session, int index, PictureTransform transform) {
    TAlbum& album = session.Album;
    if (index < 0 || index >= album.Fotos.size())
        return;
    TFoto& foto = album.Fotos[index];
    const bool laidOut = IsValidOrientation(album.Orientation);
    TRect rect;
    const TransformedFile result =
        TransformPictureFile(foto.FileName, transform, [&](QSize upright) {
            if (!laidOut)
                return QSize();
            rect = Dimension(upright, FrameRect(album, FrameSlotOf(album.Orientation, index)));
            return ThumbnailSize(rect, album.PixelRatio);
        });
    session.AlbumSaved = false; // the album shows a changed picture: leaving it asks first
    // The file is new: no cached thumbnail of it holds any longer.
    if (album.Thumbnails)
        album.Thumbnails->Replace(foto.FileName, ThumbnailSize(rect, album.PixelRatio),
                                  result.Thumbnail);
    if (!laidOut)
        return;
    foto.PictureSize = result.Size;
    foto.Rect = rect;
    foto.Picture = result.Thumbnail;
    if (index < album.Index.size()) {
        TIndexEntry& entry = album.Index[index];
        TRect box = entry.CellRect;
        box.Bottom -= LabelStripHeight(session.PageHeight);
        entry.FotoRect = rect.IsEmpty() || box.IsEmpty() ? TRect{} : Dimension(RectSize(rect), box);
    }
}
