#include "album/AlbumLoader.h"

#include "album/Album.h"
#include "album/AlbumFile.h"
#include "album/Geometry.h"
#include "album/ThumbnailStore.h"
#include "app/AppContext.h"
#include "platform/DeviceGrid.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/PictureIO.h"
#include "platform/ProgramFolder.h"
#include "platform/Progress.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QtConcurrent/QtConcurrentMap>
#include <numeric>

namespace {

const QString ThemeNotFound = QStringLiteral("File theme not found");
const QString NoPicturesFound = QStringLiteral("No pictures found");
const QString PictureNotFound = QStringLiteral("File picture not found");

// Reads every entry's upright size from its header on all cores, a batch at a time so that the
// progress window moves. Throws the PictureError of the first unreadable entry in album order.
void ReadPictureSizes(QVector<TFoto>& fotos, Progress& progress) {
    constexpr int Batch = 64;
    for (int start = 0; start < fotos.size(); start += Batch) {
        const int end = std::min<int>(static_cast<int>(fotos.size()), start + Batch);
        QVector<int> entries(end - start);
        std::iota(entries.begin(), entries.end(), start);
        QVector<QString> errors(end - start);
        QtConcurrent::blockingMap(entries, [&](int i) {
            try {
                fotos[i].PictureSize = ReadPictureSize(fotos[i].FileName);
            } catch (const KrelError& e) {
                errors[i - start] = e.Message;
            }
        });
        for (const QString& error : errors)
            if (!error.isEmpty())
                throw PictureError(error);
        progress.Advance(end - start);
    }
}

// One run of the loader over one album file.
class AlbumLoader {
public:
    AlbumLoader(const AppContext& context, Progress& progress, const QString& file)
        : context_(context), session_(*context.Session), album_(session_.Album),
          dialogs_(*context.Dialogs), progress_(progress), file_(file) {}

    LoadResult Run();
    [[nodiscard]] bool DroppedPictures() const { return dropped_; }

private:
    // A theme picture lies below the program folder; a path that leads out of it ("..") names
    // no theme file.
    QString ThemeFile(const QString& relative) const {
        return ProgramFile(context_.ProgramFolder, relative);
    }
    bool ThemeFilesExist() const;
    void ReadFile();
    void LoadThemePictures();
    void LayOutEntries();

    const AppContext& context_;
    AlbumSession& session_;
    TAlbum& album_;
    DialogService& dialogs_;
    Progress& progress_;
    QString file_;
    QSize pageImage_;
    bool failed_ = false;
    bool dropped_ = false;
};

bool AlbumLoader::ThemeFilesExist() const {
    for (const QString* path :
         {&album_.CoverPath, &album_.LeftPath, &album_.RightPath, &album_.BackPath})
        if (!IsExistingFile(ThemeFile(*path)))
            return false;
    return true;
}

void AlbumLoader::ReadFile() {
    AlbumFileReader reader(file_);
    progress_.SetPosition(0);
    progress_.Show();
    progress_.Advance(0);
    reader.ReadHeader(album_);
    // The numbers first: a damaged file gets its one message, not "File theme not found" too.
    const AlbumFileNumbers numbers = reader.ReadNumbers();
    if (!ThemeFilesExist()) {
        dialogs_.Message(ThemeNotFound, MessageKind::Error);
        failed_ = true;
        progress_.Close();
    }
    album_.Orientation = static_cast<quint8>(numbers.Orientation);
    album_.IndexPages = numbers.IndexPages; // derived again below
    const QVector<AlbumFileEntry> entries = reader.ReadEntries(numbers.Count);
    progress_.SetRange(0, static_cast<int>(entries.size()) + 3);
    for (const AlbumFileEntry& entry : entries) {
        if (IsExistingFile(entry.FileName)) {
            TFoto foto;
            foto.FileName = entry.FileName;
            foto.Note = entry.Note;
            foto.NoteAsRead = entry.NoteAsRead;
            album_.Fotos << foto;
        } else {
            dropped_ = true;
            session_.PendingResavePath = file_;
        }
    }
    album_.Count = static_cast<int>(album_.Fotos.size());
    album_.Index.resize(album_.Count);
    progress_.Advance(1);
}

void AlbumLoader::LoadThemePictures() {
    // Theme bitmaps are as sharp as the page images they cover.
    const QSize size = DeviceSize(pageImage_, album_.PixelRatio);
    album_.Cover = LoadPictureScaled(ThemeFile(album_.CoverPath), size);
    album_.LeftBackground = LoadPictureScaled(ThemeFile(album_.LeftPath), size);
    album_.RightBackground = LoadPictureScaled(ThemeFile(album_.RightPath), size);
    album_.BackCover = LoadPictureScaled(ThemeFile(album_.BackPath), size);
    progress_.Advance(1);
}

void AlbumLoader::LayOutEntries() {
    // Only the headers are read: thumbnails are made when a spread shows them.
    ReadPictureSizes(album_.Fotos, progress_);
    CreateFotoRect(album_, pageImage_,
                   {.FirstEntry = 0, .MakeThumbnails = false, .ReadSizes = false});
    CreateIndexRect(album_, pageImage_);
    ComputeDerivedNumbers(album_);
    // A store of this album's own: no thumbnail of a file that changed since the last one.
    album_.Thumbnails = std::make_shared<ThumbnailStore>();
}

LoadResult AlbumLoader::Run() {
    pageImage_ = LoaderPageImageSize(session_);
    if (pageImage_.isEmpty())
        throw KrelError(QStringLiteral("Cannot open %1: the page size is not set yet").arg(file_));
    ReadFile();
    if (failed_)
        return LoadResult::Failed;
    LoadThemePictures();
    LayOutEntries();
    if (album_.Count > 0) {
        progress_.Advance(1);
        progress_.Close();
        if (context_.ShowAlbumView)
            context_.ShowAlbumView();
        return LoadResult::Shown;
    }
    dialogs_.Message(NoPicturesFound, MessageKind::Error);
    progress_.Advance(progress_.Maximum() - progress_.Position());
    progress_.Close();
    return LoadResult::NoPictures;
}

// What a stopped load leaves: no entries, nothing to rewrite, no progress window.
void AbandonLoad(AlbumSession& session, Progress& progress) {
    session.Album.Fotos.clear();
    session.Album.Count = 0;
    session.Album.Index.clear();
    session.PendingResavePath.clear();
    progress.Close();
}

} // namespace

QString AlbumsFolder() {
    const QString folder = QDir::home().filePath(QStringLiteral("Albums"));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QSize LoaderPageImageSize(const AlbumSession& session) {
    if (!session.Album.LeftPage.isNull())
        return LogicalSize(session.Album.LeftPage.size(), session.Album.PixelRatio);
    return PageImageSize({session.PageHeight, session.PageWidth});
}

LoadResult OpenAlbum(const AppContext& context, const QString& path) {
    // Events run while thumbnails are made; an "Open" clicked meanwhile must not start a second
    // load into the album being filled.
    static bool loading = false;
    if (loading)
        return LoadResult::Cancelled;
    loading = true;
    const auto done = qScopeGuard([] { loading = false; });

    AlbumSession& session = *context.Session;
    DialogService& dialogs = *context.Dialogs;
    NullProgress noProgress;
    Progress& progress = context.ProgressWindow ? *context.ProgressWindow : noProgress;
    // Nothing from an earlier load may be written over by this album.
    session.PendingResavePath.clear();

    QString file = path;
    if (!IsExistingFile(file)) {
        FileDialogOptions options;
        options.Title = QStringLiteral("Open album");
        options.Filter = QLatin1String(AlbumFileFilter);
        options.Folder = AlbumsFolder();
        file = dialogs.OpenFile(options);
    }
    if (!IsExistingFile(file))
        return LoadResult::Cancelled;

    // The loader fills an empty album.
    session.Album.Fotos.clear();
    session.Album.Count = 0;
    AlbumLoader loader(context, progress, file);
    LoadResult result = LoadResult::Failed;
    try {
        result = loader.Run();
    } catch (const KrelError& e) {
        AbandonLoad(session, progress);
        dialogs.Message(e.Message, MessageKind::Error);
        return LoadResult::Failed;
    }
    if (result == LoadResult::Failed)
        AbandonLoad(session, progress);
    if (loader.DroppedPictures())
        dialogs.Message(PictureNotFound, MessageKind::Warning);
    // The album view has been closed: no album is left in memory to be rewritten.
    session.PendingResavePath.clear();
    return result;
}
