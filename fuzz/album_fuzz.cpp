// The album file reader over any bytes: reading never crashes, and an album written from what was
// read reads back to the same file.

#include "FuzzInput.h"
#include "album/Album.h"
#include "album/AlbumFile.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace {

const QString Folder = QStringLiteral("/opt/krel/");

// The album as the loader fills it from the file (every picture taken as present).
TAlbum ReadAlbum(const QString& path, const QByteArray& bytes) {
    TAlbum album;
    AlbumFileReader reader(path, bytes);
    reader.ReadHeader(album);
    for (const QString* theme :
         {&album.CoverPath, &album.LeftPath, &album.RightPath, &album.BackPath})
        (void)IsBelowFolder(Folder, ResourcePath(Folder, *theme));
    const AlbumFileNumbers numbers = reader.ReadNumbers();
    album.Orientation = static_cast<quint8>(numbers.Orientation);
    for (const AlbumFileEntry& entry : reader.ReadEntries(numbers.Count)) {
        TFoto foto;
        foto.FileName = entry.FileName;
        foto.Note = entry.Note;
        album.Fotos << foto;
    }
    album.Count = static_cast<int>(album.Fotos.size());
    ComputeDerivedNumbers(album);
    return album;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const TAlbum album = ReadAlbum(QStringLiteral("fuzz.kpa"), FuzzBytes(data, size));
        const QByteArray saved = AlbumFileBytes(album);
        const TAlbum again = ReadAlbum(QStringLiteral("saved.kpa"), saved);
        FuzzCheck(again.Count == album.Count, "a saved album keeps its entries");
        FuzzCheck(AlbumFileBytes(again) == saved, "a saved album reads back to the same file");
    } catch (const KrelError&) {
        // a damaged file: refused with a message
    }
    return 0;
}
