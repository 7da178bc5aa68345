#include "themes/AlbumBuilder.h"

#include "platform/PictureIO.h"
#include "platform/ProgramFolder.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"
#include "view/DeviceGrid.h"
#include "view/Geometry.h"

namespace {

constexpr int BuildSteps = 5;

// Closes the progress window when the work ends, by return or by exception.
class ProgressRun {
public:
    explicit ProgressRun(Progress& progress) : progress_(progress) {
        progress_.SetRange(0, BuildSteps);
        progress_.SetPosition(0);
        progress_.Show();
    }
    ~ProgressRun() { progress_.Close(); }
    ProgressRun(const ProgressRun&) = delete;
    ProgressRun& operator=(const ProgressRun&) = delete;
    void Step() { progress_.Advance(1); }

private:
    Progress& progress_;
};

void StretchInto(QImage& bitmap, const QString& path, QSize pageImage) {
    const QSize size = bitmap.isNull() ? pageImage : bitmap.size();
    bitmap = LoadPictureScaled(path, size);
}

} // namespace

void ApplyTheme(TAlbum& album, const QString& programFolder, const TThemes& theme, QSize pageImage,
                Progress& progress) {
    ProgressRun run(progress);
    album.ThemeName = theme.Name;
    album.CoverPath = CutShortField(theme.CoverPath);
    album.LeftPath = CutShortField(theme.LeftPath);
    album.RightPath = CutShortField(theme.RightPath);
    album.BackPath = CutShortField(theme.BackPath);
    run.Step();
    const auto file = [&](const QString& relative) {
        return ResourcePath(programFolder, relative);
    };
    // Theme bitmaps are as sharp as the page images they cover.
    pageImage = DeviceSize(pageImage, album.PixelRatio);
    StretchInto(album.Cover, file(album.CoverPath), pageImage);
    run.Step();
    StretchInto(album.LeftBackground, file(album.LeftPath), pageImage);
    run.Step();
    StretchInto(album.RightBackground, file(album.RightPath), pageImage);
    run.Step();
    StretchInto(album.BackCover, file(album.BackPath), pageImage);
    run.Step();
}

void BuildAlbum(AlbumSession& session, const QStringList& files, QSize pageImage,
                Progress& progress) {
    TAlbum& album = session.Album;
    ProgressRun run(progress);
    session.PendingResavePath.clear();
    album.Fotos.clear();
    for (const QString& file : files) {
        TFoto foto;
        foto.FileName = file;
        album.Fotos.append(foto);
    }
    run.Step();
    run.Step(); // the thumbnails are made with the layout below
    album.Count = static_cast<int>(album.Fotos.size());
    album.Index.resize(album.Count);
    album.IndexPages = CountIndexPages(album.Count);
    run.Step();
    CreateFotoRect(album, pageImage,
                   {.FirstEntry = 0, .MakeThumbnails = true, .SkipUnloadable = true});
    run.Step();
    CreateIndexRect(album, pageImage);
    run.Step();
    ComputeDerivedNumbers(album);
}
