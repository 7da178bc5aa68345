#pragma once

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <list>
#include <mutex>
#include <optional>

// One thumbnail: a picture file at one size.
struct ThumbnailKey {
    QString Path;
    QSize Size;
    friend bool operator==(const ThumbnailKey&, const ThumbnailKey&) = default;
};
[[nodiscard]] inline size_t qHash(const ThumbnailKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.Path, k.Size.width(), k.Size.height());
}

// Decoded thumbnails kept in memory up to a byte limit; the least recently used go first.
// Safe to use from several threads.
class ThumbnailMemory {
public:
    static constexpr qint64 DefaultLimit = 256LL * 1024 * 1024;

    explicit ThumbnailMemory(qint64 limitBytes = DefaultLimit) : limit_(limitBytes) {}

    // The thumbnail, counted as used now.
    [[nodiscard]] std::optional<QImage> Find(const ThumbnailKey& key);
    // Keeps image (a null one is not kept, nor one larger than the whole limit).
    void Insert(const ThumbnailKey& key, const QImage& image);
    // Drops every size of one file (the file was changed).
    void Forget(const QString& path);
    void Clear();
    void SetLimit(qint64 limitBytes);

    [[nodiscard]] qint64 Bytes() const;
    [[nodiscard]] qint64 Limit() const;
    [[nodiscard]] int Count() const;

private:
    struct Entry {
        ThumbnailKey Key;
        QImage Image;
    };
    void TrimLocked();

    mutable std::mutex mutex_;
    qint64 limit_;
    qint64 bytes_ = 0;
    std::list<Entry> used_; // most recently used first
    QHash<ThumbnailKey, std::list<Entry>::iterator> index_;
};
