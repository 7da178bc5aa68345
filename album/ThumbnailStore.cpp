#include "album/ThumbnailStore.h"

#include "platform/Errors.h"
#include "platform/PictureIO.h"

#include <QThread>

struct ThumbnailStore::Job {
    explicit Job(ThumbnailRequest request) : Request(std::move(request)) {}
    ThumbnailRequest Request;
    QImage Image;
    MadeThumbnail Made; // the disk entry still to write
    bool Started = false;
    bool Done = false;
};

namespace {

QImage Scaled(const QImage& image, QSize size) {
    if (image.isNull() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

MadeThumbnail MakeThumbnailUnwritten(const ThumbnailRequest& r, DiskThumbnails* disk) {
    MadeThumbnail made;
    if (r.Size.isEmpty())
        return made;
    if (!disk) {
        made.Image = LoadPictureScaled(r.Path, r.Size);
        return made;
    }
    if (const std::optional<FileStamp> stamp = FileStamp::Of(r.Path))
        made.Stamp = *stamp;
    const bool large = std::max(r.Size.width(), r.Size.height()) > DiskThumbnails::SharedUpTo;
    if (large)
        if (std::optional<QImage> cached = disk->ReadExact(r.Path, r.Size)) {
            made.Image = *cached;
            return made;
        }
    // A class entry, the program's own or another program's, serves any size it covers.
    const std::optional<int> sizeClass = DiskThumbnails::ClassFor(r.Size);
    if (sizeClass)
        if (std::optional<QImage> cached = disk->Read(r.Path, *sizeClass)) {
            made.Image = Scaled(*cached, r.Size);
            return made;
        }
    if (large) {
        made.Image = LoadPictureScaled(r.Path, r.Size);
        made.Entry = made.Image;
        return made;
    }
    // Small thumbnails (contents cells) cost no more through the class: a photograph is decoded
    // at its smallest scale either way.
    const QSize picture = r.Picture.isEmpty() ? ReadPictureSize(r.Path) : r.Picture;
    made.Entry = LoadPictureScaled(r.Path, FitIntoSquare(picture, *sizeClass));
    made.EntryClass = *sizeClass;
    made.Image = Scaled(made.Entry, r.Size);
    return made;
}

void WriteThumbnail(const ThumbnailRequest& r, const MadeThumbnail& made, DiskThumbnails* disk) {
    if (!disk || made.Entry.isNull())
        return;
    if (made.EntryClass > 0)
        disk->Write(r.Path, made.EntryClass, made.Entry, made.Stamp);
    else
        disk->WriteExact(r.Path, made.Entry, made.Stamp);
}

QImage MakeThumbnail(const ThumbnailRequest& r, DiskThumbnails* disk) {
    MadeThumbnail made = MakeThumbnailUnwritten(r, disk);
    WriteThumbnail(r, made, disk);
    return made.Image;
}

ThumbnailStore::ThumbnailStore(const Options& options) : memory_(options.MemoryBytes) {
    if (!options.DiskRoot.isEmpty())
        disk_ = std::make_unique<DiskThumbnails>(options.DiskRoot, options.DiskBytes);
    workers_ = options.Threads > 0 ? options.Threads : std::max(1, QThread::idealThreadCount());
    pool_.setMaxThreadCount(workers_);
}

ThumbnailStore::~ThumbnailStore() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        urgent_.clear();
        later_.clear();
        writes_.clear();
    }
    pool_.waitForDone();
}

void ThumbnailStore::Enqueue(const std::shared_ptr<Job>& job, bool urgent) {
    (urgent ? urgent_ : later_).push_back(job);
    if (running_ < workers_) {
        ++running_;
        pool_.start([this] { Work(); });
    }
}

void ThumbnailStore::Work() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        // Disk writes wait for what is needed now and go before what is wanted for later, so
        // that no more than a few made thumbnails wait for theirs.
        if (urgent_.empty() && !writes_.empty()) {
            const std::shared_ptr<Job> job = writes_.front();
            writes_.pop_front();
            lock.unlock();
            WriteThumbnail(job->Request, job->Made, disk_.get());
            lock.lock();
            job->Made = {};
            continue;
        }
        std::deque<std::shared_ptr<Job>>& queue = !urgent_.empty() ? urgent_ : later_;
        if (queue.empty())
            break;
        const std::shared_ptr<Job> job = queue.front();
        queue.pop_front();
        if (job->Started)
            continue; // queued twice: urgently and for later
        job->Started = true;
        lock.unlock();
        if (Started)
            Started(job->Request);
        QString error;
        MadeThumbnail made;
        try {
            made = MakeThumbnailUnwritten(job->Request, disk_.get());
        } catch (const KrelError& e) {
            error = e.Message;
        }
        memory_.Insert({job->Request.Path, job->Request.Size}, made.Image);
        lock.lock();
        job->Image = made.Image;
        job->Done = true;
        if (!made.Entry.isNull()) {
            job->Made = std::move(made);
            writes_.push_back(job);
        }
        if (const auto it = jobs_.find({job->Request.Path, job->Request.Size});
            it != jobs_.end() && *it == job)
            jobs_.erase(it);
        if (!error.isEmpty() && !failed_.contains(job->Request.Path)) {
            failed_.insert(job->Request.Path, error);
            failures_ << error;
        }
        changed_.notify_all();
    }
    --running_;
    changed_.notify_all();
}

QVector<QImage> ThumbnailStore::Fetch(const QVector<ThumbnailRequest>& requests) {
    QVector<QImage> images(requests.size());
    QVector<std::shared_ptr<Job>> waiting(requests.size());
    std::unique_lock lock(mutex_);
    for (int i = 0; i < requests.size(); ++i) {
        const ThumbnailRequest& r = requests[i];
        const ThumbnailKey key{r.Path, r.Size};
        if (r.Size.isEmpty() || failed_.contains(r.Path))
            continue;
        if (std::optional<QImage> image = memory_.Find(key)) {
            images[i] = *image;
            continue;
        }
        std::shared_ptr<Job>& job = jobs_[key];
        if (!job)
            job = std::make_shared<Job>(r);
        if (!job->Started)
            Enqueue(job, true);
        waiting[i] = job;
    }
    for (int i = 0; i < requests.size(); ++i) {
        if (!waiting[i])
            continue;
        changed_.wait(lock, [&] { return waiting[i]->Done; });
        images[i] = waiting[i]->Image;
    }
    return images;
}

void ThumbnailStore::Want(const QVector<ThumbnailRequest>& requests) {
    std::lock_guard lock(mutex_);
    // What was wanted before and has not started is wanted no longer, unless asked again.
    for (const std::shared_ptr<Job>& job : later_)
        if (!job->Started)
            jobs_.remove({job->Request.Path, job->Request.Size});
    later_.clear();
    for (const ThumbnailRequest& r : requests) {
        const ThumbnailKey key{r.Path, r.Size};
        if (r.Size.isEmpty() || failed_.contains(r.Path) || jobs_.contains(key) ||
            memory_.Find(key))
            continue;
        auto job = std::make_shared<Job>(r);
        jobs_.insert(key, job);
        Enqueue(job, false);
    }
}

int ThumbnailStore::Queued() {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (const auto* queue : {&urgent_, &later_})
        for (const std::shared_ptr<Job>& job : *queue)
            n += job->Started ? 0 : 1;
    return n;
}

void ThumbnailStore::WaitIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return running_ == 0; });
}

void ThumbnailStore::Replace(const QString& path, QSize size, const QImage& thumbnail) {
    memory_.Forget(path);
    if (disk_)
        disk_->Forget(path);
    {
        std::lock_guard lock(mutex_);
        failed_.remove(path);
        std::erase_if(writes_,
                      [&](const std::shared_ptr<Job>& job) { return job->Request.Path == path; });
    }
    if (!thumbnail.isNull())
        memory_.Insert({path, size}, thumbnail);
}

QStringList ThumbnailStore::TakeFailures() {
    std::lock_guard lock(mutex_);
    return std::exchange(failures_, {});
}
