#include "album/Thumbnails.h"

#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "view/DeviceGrid.h"
#include "view/Geometry.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFuture>
#include <QFutureWatcher>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <memory>

namespace {

// The outcome of one decode, carried back to the calling thread as a value.
struct Thumbnail {
    QImage Image;
    QString Error; // the PictureError's message; empty on success
    bool Failed = false;
};

Thumbnail Decode(const QString& path, QSize size) {
    Thumbnail t;
    if (size.isEmpty())
        return t; // a sliver that fits to no pixel keeps no thumbnail
    try {
        t.Image = LoadPictureScaled(path, size);
    } catch (const KrelError& e) {
        t.Error = e.Message;
        t.Failed = true;
    }
    return t;
}

// Waits for a future while letting events run, as the progress window does between steps.
void AwaitWithEvents(QFuture<Thumbnail>& future) {
    if (future.isFinished() || QCoreApplication::instance() == nullptr) {
        future.waitForFinished();
        return;
    }
    QFutureWatcher<Thumbnail> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(future);
    if (!future.isFinished())
        loop.exec();
}

void Store(TFoto& foto, Thumbnail&& t) {
    if (t.Failed)
        throw PictureError(t.Error);
    foto.Picture = std::move(t.Image);
}

void MakeInOrder(QVector<TFoto>& fotos, int first, const std::function<void(int)>& afterEach,
                 double ratio) {
    for (int i = first; i < fotos.size(); ++i) {
        Store(fotos[i], Decode(fotos[i].FileName, ThumbnailSize(fotos[i].Rect, ratio)));
        afterEach(i);
    }
}

} // namespace

void MakeThumbnails(QVector<TFoto>& fotos, int first, const std::function<void(int)>& afterEach,
                    double ratio) {
    first = std::max(first, 0);
    if (QThread::idealThreadCount() < 2 || fotos.size() - first < 2) {
        MakeInOrder(fotos, first, afterEach, ratio);
        return;
    }
    // Every entry is queued at once; the pool runs as many as it has threads. A stop flag lets the
    // queued ones end at once when an earlier entry fails.
    auto stop = std::make_shared<std::atomic_bool>(false);
    QVector<QFuture<Thumbnail>> futures;
    futures.reserve(fotos.size() - first);
    for (int i = first; i < fotos.size(); ++i) {
        futures << QtConcurrent::run(
            [stop, path = fotos[i].FileName, size = ThumbnailSize(fotos[i].Rect, ratio)] {
                return stop->load() ? Thumbnail{} : Decode(path, size);
            });
    }
    // A future whose result was taken is no longer valid: waiting on it would never end.
    auto finishAll = [&] {
        stop->store(true);
        for (QFuture<Thumbnail>& f : futures)
            if (f.isValid())
                f.waitForFinished();
    };
    try {
        for (int i = first; i < fotos.size(); ++i) {
            QFuture<Thumbnail>& future = futures[i - first];
            AwaitWithEvents(future);
            Thumbnail thumbnail = future.takeResult();
            future = {}; // drop the future's copy of the result
            Store(fotos[i], std::move(thumbnail));
            afterEach(i);
        }
    } catch (...) {
        finishAll();
        throw;
    }
}
