#include "output/PageExport.h"

#include "output/ProgressCloser.h"
#include "platform/PictureIO.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <deque>
#include <exception>

namespace {

// Memory that pages in flight may take; each page holds its bitmap, the pictures being decoded
// and its encoded bytes, counted as twice the bitmap.
constexpr qint64 InFlightBudgetBytes = 512LL * 1024 * 1024;

void StartProgress(Progress& progress, int maximum) {
    progress.SetRange(0, maximum);
    progress.SetPosition(0);
    progress.Show();
}

// An encoded page, or why it could not be made.
struct EncodedPage {
    QByteArray Bytes;
    std::exception_ptr Error;
};

int PagesInFlight(QSize size, int workers) {
    const qint64 pageBytes = 2 * qint64(size.width()) * size.height() * 4;
    const qint64 byMemory =
        std::max<qint64>(1, InFlightBudgetBytes / std::max<qint64>(1, pageBytes));
    return static_cast<int>(std::min<qint64>(byMemory, workers + 1));
}

} // namespace

bool CanMakeOutputBitmap(QSize size) {
    return size.width() > 0 && size.height() > 0 &&
           qint64(size.width()) * size.height() <= MaxOutputPixels;
}

void SaveOnePage(const PageSaveSettings& settings, int spread, PageSide side, const QString& path,
                 Progress& progress, OutputPen& pen) {
    StartProgress(progress, 4);
    ProgressCloser closer(progress);
    OutputRenderer renderer(settings.ProgramFolder, *settings.Album,
                            MakePrintLayout(*settings.Album, settings.Size));
    progress.Advance(2); // the frames and placements, then the contents cells
    const QImage page =
        renderer.Render(NextPage(*settings.Album, spread, side, NoteRules::StyleOnly, pen));
    progress.Advance(1);
    SaveToJPEG(page, path, settings.QualityPosition);
    progress.Advance(1);
}

void SaveAllPages(const PageSaveSettings& settings, const QString& folder, const QString& base,
                  Progress& progress, OutputPen& pen) {
    const TAlbum& album = *settings.Album;
    StartProgress(progress, album.SpreadCount + 2);
    ProgressCloser closer(progress);
    const OutputRenderer renderer(settings.ProgramFolder, album,
                                  MakePrintLayout(album, settings.Size));
    progress.Advance(1);

    const QVector<PageFile> files = AllPageFiles(base, album.SpreadCount);
    QVector<PageRequest> requests;
    for (const PageFile& file : files)
        requests.push_back(NextPage(album, file.Spread, file.Side, NoteRules::Draw, pen));
    const int quality = JpegQualityOf(settings.QualityPosition);

    std::atomic<bool> stop = false;
    auto encode = [&](int i) {
        EncodedPage page;
        if (stop)
            return page;
        try {
            page.Bytes = EncodeJpeg(renderer.Render(requests[i]), quality);
        } catch (...) {
            page.Error = std::current_exception();
        }
        return page;
    };
    // Declared after everything the workers read, so its end waits for them first.
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    const int window = PagesInFlight(settings.Size, pool.maxThreadCount());
    std::deque<QFuture<EncodedPage>> inFlight;
    int next = 0;
    const QDir dir(folder);
    try {
        for (int i = 0; i < files.size(); ++i) {
            while (next < files.size() && static_cast<int>(inFlight.size()) < window)
                inFlight.push_back(QtConcurrent::run(&pool, encode, next++));
            EncodedPage page = inFlight.front().result();
            inFlight.pop_front();
            if (page.Error)
                std::rethrow_exception(page.Error);
            WriteFileAtomic(dir.filePath(files[i].Name), page.Bytes);
            if (i + 1 == files.size() || files[i + 1].Spread != files[i].Spread)
                progress.Advance(1);
        }
    } catch (...) {
        stop = true;
        pool.waitForDone();
        throw;
    }
}
