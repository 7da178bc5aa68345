#include "album/SpreadThumbnails.h"

#include "platform/DeviceGrid.h"

namespace {

bool Exists(const TAlbum& album, int entry) {
    return entry >= 0 && entry < album.Count && entry < album.Fotos.size();
}

} // namespace

QVector<ThumbnailRequest> SpreadThumbnails(const TAlbum& album, int spread) {
    QVector<ThumbnailRequest> requests;
    switch (KindOfSpread(album, spread)) {
    case SpreadKind::Contents: {
        const int first = FirstContentsEntry(spread, false);
        for (int e = first; e < first + EntriesPerContentsSpread; ++e)
            if (Exists(album, e) && e < album.Index.size())
                requests.push_back({album.Fotos[e].FileName, album.Fotos[e].PictureSize,
                                    ThumbnailSize(album.Index[e].FotoRect, album.PixelRatio), e});
        break;
    }
    case SpreadKind::Pictures:
        for (FrameSlot slot :
             {FrameSlot::Left1, FrameSlot::Left2, FrameSlot::Right1, FrameSlot::Right2})
            if (const std::optional<int> e = EntryInFrame(album, spread, slot))
                requests.push_back({album.Fotos[*e].FileName, album.Fotos[*e].PictureSize,
                                    ThumbnailSize(album.Fotos[*e].Rect, album.PixelRatio), *e});
        break;
    default:
        break;
    }
    return requests;
}

QVector<int> SpreadsToPrepare(const TAlbum& album, int spread, int direction) {
    const int step = direction < 0 ? -1 : 1;
    QVector<int> spreads;
    const auto add = [&](int s) {
        if (s >= 0 && s <= album.SpreadCount + 1 && s != spread)
            spreads.push_back(s);
    };
    for (int n = 1; n <= SpreadsAhead; ++n)
        add(spread + n * step);
    add(spread - step);
    return spreads;
}
