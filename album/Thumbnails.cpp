#include "album/Thumbnails.h"

#include "platform/Errors.h"
#include "platform/PictureIO.h"
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

Thumbnail Decode(const QString& path, const TRect& rect) {
    Thumbnail t;
    if (rect.IsEmpty())
        return t; // a sliver that fits to no pixel keeps no thumbnail
    try {
        t.Image = LoadPictureScaled(path, RectSize(rect));
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

void MakeInOrder(QVector<TFoto>& fotos, int first, const std::function<void(int)>& afterEach) {
    for (int i = first; i < fotos.size(); ++i) {
        Store(fotos[i], Decode(fotos[i].FileName, fotos[i].Rect));
        afterEach(i);
    }
}

} // namespace

void MakeThumbnails(QVector<TFoto>& fotos, int first, const std::function<void(int)>& afterEach) {
    first = std::max(first, 0);
    if (QThread::idealThreadCount() < 2 || fotos.size() - first < 2) {
        MakeInOrder(fotos, first, afterEach);
        return;
    }
    // Every entry is queued at once; the pool runs as many as it has threads. A stop flag lets the
    // queued ones end at once when an earlier entry fails.
    auto stop = std::make_shared<std::atomic_bool>(false);
    QVector<QFuture<Thumbnail>> futures;
    futures.reserve(fotos.size() - first);
    for (int i = first; i < fotos.size(); ++i) {
        futures << QtConcurrent::run([stop, path = fotos[i].FileName, rect = fotos[i].Rect] {
            return stop->load() ? Thumbnail{} : Decode(path, rect);
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
