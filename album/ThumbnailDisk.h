#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <atomic>
#include <mutex>
#include <optional>

// What a cache entry is valid for: the picture's modification time (whole seconds) and size.
struct FileStamp {
    qint64 MTime = 0;
    qint64 Size = 0;
    // The file's stamp as it is now; nullopt when path names no file.
    [[nodiscard]] static std::optional<FileStamp> Of(const QString& path);
};

// The thumbnails of the desktop's shared thumbnail folder ($XDG_CACHE_HOME/thumbnails, by
// default ~/.cache/thumbnails), as file managers and viewers read and write them: one PNG a
// picture and size class, named after the MD5 of the picture's file URI, fitted into a square of
// 128, 256, 512 or 1024 pixels and carrying the picture's URI and modification time. An entry
// counts only while both match the picture; a damaged one counts as missing. Writes go through a
// temporary file renamed over the entry, so a reader or a second writer never meets half a file.
//
// Thumbnails larger than SharedUpTo (the frames of the pages) are kept at their exact size in a
// folder of the program's own beside it ($XDG_CACHE_HOME/krel-album/thumbnails/WxH), as JPEGs
// named after the same MD5 and the picture's modification time and size: they are decoded
// straight to the frame's size, never resampled a second time from a class entry.
//
// Both folders together are kept under a byte cap by deleting the least recently used entries.
class DiskThumbnails {
public:
    static constexpr qint64 DefaultCap = 1024LL * 1024 * 1024;
    static constexpr int Classes[] = {128, 256, 512, 1024};
    // Thumbnails up to this side are made through the shared classes.
    static constexpr int SharedUpTo = 256;

    // root: the shared thumbnails folder; capBytes: the most both folders may hold.
    explicit DiskThumbnails(QString root, qint64 capBytes = DefaultCap);

    // $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails when the variable is unset or empty.
    [[nodiscard]] static QString DefaultRoot();

    // The smallest size class whose square holds a thumbnail of size; nullopt above 1024.
    [[nodiscard]] static std::optional<int> ClassFor(QSize size);
    // The folder name of a class: normal, large, x-large, xx-large.
    [[nodiscard]] static QString ClassFolder(int sizeClass);
    // The file URI the entries are named and marked by.
    [[nodiscard]] static QByteArray FileUri(const QString& path);
    // Where the entry of path in a class lies.
    [[nodiscard]] QString EntryPath(const QString& path, int sizeClass) const;
    // Where the exact-size entry of path lies for the file as it is now (empty: no such file).
    [[nodiscard]] QString ExactPath(const QString& path, QSize size) const;
    [[nodiscard]] QString ExactPath(const QString& path, QSize size, const FileStamp& stamp) const;
    [[nodiscard]] const QString& OwnRoot() const { return ownRoot_; }

    // The entry of path in a class when it is valid for the file as it is now, else nullopt.
    [[nodiscard]] std::optional<QImage> Read(const QString& path, int sizeClass);
    // Writes the entry of path (image already fitted into the class) for the file as it was at
    // stamp, taken before the picture was decoded: a file changed meanwhile leaves a stale entry,
    // never a wrong one. Failures (a read-only cache, a full disk) are ignored: the cache is only
    // a help.
    void Write(const QString& path, int sizeClass, const QImage& image, const FileStamp& stamp);
    // The exact-size entry of path when there is one for the file as it is now, else nullopt.
    [[nodiscard]] std::optional<QImage> ReadExact(const QString& path, QSize size);
    // Writes the exact-size entry of path (failures ignored, as above).
    void WriteExact(const QString& path, const QImage& image, const FileStamp& stamp);
    // Removes every entry of path (the file was changed by the program).
    void Forget(const QString& path);
    // Deletes the least recently used entries until the cache holds at most its cap.
    void Trim();

    [[nodiscard]] qint64 Cap() const { return cap_; }
    [[nodiscard]] const QString& Root() const { return root_; }

private:
    void Written(qint64 bytes);
    void SaveEntry(const QString& entry, const QImage& image, const char* format, int quality);

    QString root_;
    QString ownRoot_;
    qint64 cap_;
    std::atomic<qint64> written_{0}; // bytes written since the last trim
    std::mutex trimMutex_;
};

// A picture of upright size fitted into a square of side (never enlarged), as the entries hold it.
[[nodiscard]] QSize FitIntoSquare(QSize picture, int side);
