#include "album/Album.h"

#include "album/ThumbnailStore.h"

#include <stdexcept>

int CountIndexPages(int count) {
    return count / EntriesPerContentsSpread + (count % EntriesPerContentsSpread != 0 ? 1 : 0);
}

int CountSpreadCount(int count, int orientation, int indexPages) {
    if (!IsValidOrientation(orientation))
        throw std::invalid_argument("album orientation must be 1 or 2");
    const int perSpread = 2 * orientation;
    return indexPages + (count / orientation) / 2 + (count % perSpread != 0 ? 1 : 0);
}

void ComputeDerivedNumbers(TAlbum& album) {
    album.Index.resize(album.Count);
    album.IndexPages = CountIndexPages(album.Count);
    album.SpreadCount = CountSpreadCount(album.Count, album.Orientation, album.IndexPages);
}

SpreadKind KindOfSpread(const TAlbum& album, int spread) {
    if (spread == 0)
        return SpreadKind::FrontCover;
    if (spread >= 1 && spread <= album.IndexPages)
        return SpreadKind::Contents;
    if (spread > album.IndexPages && spread <= album.SpreadCount)
        return SpreadKind::Pictures;
    if (spread == album.SpreadCount + 1)
        return SpreadKind::BackCover;
    return SpreadKind::None;
}

FrameSlot FrameSlotOf(int orientation, int entry) {
    if (orientation == OrientationHorizontal)
        return static_cast<FrameSlot>(entry % 4);
    return entry % 2 == 0 ? FrameSlot::Left1 : FrameSlot::Right1;
}

const TRect& FrameRect(const TAlbum& album, FrameSlot slot) {
    switch (slot) {
    case FrameSlot::Left1:
        return album.LeftFrame1;
    case FrameSlot::Left2:
        return album.LeftFrame2;
    case FrameSlot::Right1:
        return album.RightFrame1;
    case FrameSlot::Right2:
        break;
    }
    return album.RightFrame2;
}

std::optional<int> EntryInFrame(const TAlbum& album, int spread, FrameSlot slot) {
    if (KindOfSpread(album, spread) != SpreadKind::Pictures ||
        !IsValidOrientation(album.Orientation))
        return std::nullopt;
    const int k = spread - album.IndexPages; // picture spread number, from 1
    int entry = -1;
    if (album.Orientation == OrientationHorizontal) {
        entry = 4 * k - 4 + static_cast<int>(slot);
    } else if (slot == FrameSlot::Left1) {
        entry = 2 * k - 2;
    } else if (slot == FrameSlot::Right1) {
        entry = 2 * k - 1;
    }
    if (entry < 0 || entry >= album.Count || entry >= album.Fotos.size())
        return std::nullopt;
    return entry;
}

int FirstContentsEntry(int spread, bool right) {
    return EntriesPerContentsSpread * (spread - 1) + (right ? EntriesPerContentsPage : 0);
}

void EmptyAlbum(AlbumSession& session) {
    session.Album.Fotos.clear();
    session.Album.Fotos.squeeze();
    session.Album.Count = 0;
    session.AlbumSaved = false;
    if (session.Album.Thumbnails)
        session.Album.Thumbnails->Memory().Clear();
}
