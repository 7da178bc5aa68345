#include "themes/AlbumBuilder.h"

#include "album/Geometry.h"
#include "platform/DeviceGrid.h"
#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "platform/ProgramFolder.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"

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
    // The loader's rule first: a theme whose album could not be opened again is not applied.
    for (const QString* path :
         {&theme.CoverPath, &theme.LeftPath, &theme.RightPath, &theme.BackPath})
        if (const QString problem = ThemePictureProblem(programFolder, *path); !problem.isEmpty())
            throw PictureError(QStringLiteral("The theme %1 cannot be used: its picture path %2")
                                   .arg(theme.Name, problem));
    album.ThemeName = theme.Name;
    album.CoverPath = theme.CoverPath;
    album.LeftPath = theme.LeftPath;
    album.RightPath = theme.RightPath;
    album.BackPath = theme.BackPath;
    run.Step();
    const auto file = [&](const QString& relative) { return ProgramFile(programFolder, relative); };
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
