#include "album/ThumbnailMemory.h"

std::optional<QImage> ThumbnailMemory::Find(const ThumbnailKey& key) {
    std::lock_guard lock(mutex_);
    const auto it = index_.find(key);
    if (it == index_.end())
        return std::nullopt;
    used_.splice(used_.begin(), used_, *it);
    return used_.front().Image;
}

void ThumbnailMemory::Insert(const ThumbnailKey& key, const QImage& image) {
    if (image.isNull())
        return;
    std::lock_guard lock(mutex_);
    if (const auto it = index_.find(key); it != index_.end()) {
        bytes_ -= (*it)->Image.sizeInBytes();
        used_.erase(*it);
        index_.erase(it);
    }
    if (image.sizeInBytes() > limit_)
        return;
    used_.push_front({key, image});
    index_.insert(key, used_.begin());
    bytes_ += image.sizeInBytes();
    TrimLocked();
}

void ThumbnailMemory::Forget(const QString& path) {
    std::lock_guard lock(mutex_);
    for (auto it = used_.begin(); it != used_.end();) {
        if (it->Key.Path == path) {
            bytes_ -= it->Image.sizeInBytes();
            index_.remove(it->Key);
            it = used_.erase(it);
        } else {
            ++it;
        }
    }
}

void ThumbnailMemory::Clear() {
    std::lock_guard lock(mutex_);
    used_.clear();
    index_.clear();
    bytes_ = 0;
}

void ThumbnailMemory::SetLimit(qint64 limitBytes) {
    std::lock_guard lock(mutex_);
    limit_ = limitBytes;
    TrimLocked();
}

void ThumbnailMemory::TrimLocked() {
    while (bytes_ > limit_ && !used_.empty()) {
        bytes_ -= used_.back().Image.sizeInBytes();
        index_.remove(used_.back().Key);
        used_.pop_back();
    }
}

qint64 ThumbnailMemory::Bytes() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

qint64 ThumbnailMemory::Limit() const {
    std::lock_guard lock(mutex_);
    return limit_;
}

int ThumbnailMemory::Count() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(used_.size());
}
