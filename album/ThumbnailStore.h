#pragma once

#include "album/ThumbnailDisk.h"
#include "album/ThumbnailMemory.h"

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// A thumbnail wanted: the picture file, its upright size when known (else its header is read),
// and the thumbnail's exact size.
struct ThumbnailRequest {
    QString Path;
    QSize Picture;
    QSize Size;
    int Entry = -1; // the album entry it is for, when there is one
};

// Thumbnails made on demand on worker threads, kept in memory up to a byte limit and on disk in
// the desktop's shared thumbnail folder. What is needed now (Fetch) goes before everything
// wanted for later (Want), and Want's list is worked through in its order.
class ThumbnailStore {
public:
    struct Options {
        qint64 MemoryBytes = ThumbnailMemory::DefaultLimit;
        QString DiskRoot = DiskThumbnails::DefaultRoot(); // empty: no disk cache
        qint64 DiskBytes = DiskThumbnails::DefaultCap;
        int Threads = 0; // 0: one a core
    };

    ThumbnailStore() : ThumbnailStore(Options{}) {}
    explicit ThumbnailStore(const Options& options);
    // Drops what has not started and waits for what runs.
    ~ThumbnailStore();
    ThumbnailStore(const ThumbnailStore&) = delete;
    ThumbnailStore& operator=(const ThumbnailStore&) = delete;

    // The thumbnails of requests, in their order, made on the workers where neither cache has
    // them; returns once all are there. A picture that cannot be decoded gives a null image and
    // its message in Failures().
    QVector<QImage> Fetch(const QVector<ThumbnailRequest>& requests);
    // Work for later, most wanted first; replaces the earlier list where it has not started.
    void Want(const QVector<ThumbnailRequest>& requests);
    // How many thumbnails are queued and not started.
    [[nodiscard]] int Queued();
    // Waits until nothing is queued or running.
    void WaitIdle();

    // A file was rewritten by the program: its thumbnails in both caches go, and thumbnail (when
    // not null) becomes the one of size.
    void Replace(const QString& path, QSize size, const QImage& thumbnail);

    // Messages of the pictures that could not be decoded since the last call.
    [[nodiscard]] QStringList TakeFailures();

    [[nodiscard]] ThumbnailMemory& Memory() { return memory_; }
    [[nodiscard]] DiskThumbnails* Disk() { return disk_.get(); }
    // Called on the worker as each thumbnail is started (tests watch the order of work).
    std::function<void(const ThumbnailRequest&)> Started;

private:
    struct Job;
    void Enqueue(const std::shared_ptr<Job>& job, bool urgent);
    void Work();
    QImage Make(const ThumbnailRequest& request);

    ThumbnailMemory memory_;
    std::unique_ptr<DiskThumbnails> disk_;
    QThreadPool pool_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Job>> urgent_;
    std::deque<std::shared_ptr<Job>> later_;
    std::deque<std::shared_ptr<Job>> writes_;        // made, their disk entries not yet written
    QHash<ThumbnailKey, std::shared_ptr<Job>> jobs_; // queued or running
    QHash<QString, QString> failed_;                 // path -> message
    QStringList failures_;
    int workers_ = 0;
    int running_ = 0;
    bool stopping_ = false;
};

// A thumbnail made, and the disk entry to write for it (null: none to write).
struct MadeThumbnail {
    QImage Image;
    QImage Entry;
    int EntryClass = 0; // the shared class of Entry; 0: an exact-size entry
    FileStamp Stamp;    // the file as it was before the decode
};

// The thumbnail of a picture file at exactly size, from the disk cache when it has a valid entry
// (a shared class entry covering the size, or an exact-size one), else decoded: a small one
// through the smallest class that covers it, a larger one straight to its size.
[[nodiscard]] MadeThumbnail MakeThumbnailUnwritten(const ThumbnailRequest& request,
                                                   DiskThumbnails* disk);
void WriteThumbnail(const ThumbnailRequest& request, const MadeThumbnail& made,
                    DiskThumbnails* disk);
// Both at once.
[[nodiscard]] QImage MakeThumbnail(const ThumbnailRequest& request, DiskThumbnails* disk);
