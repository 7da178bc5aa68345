#include "album/SpreadThumbnails.h"
#include "album/ThumbnailDisk.h"
#include "album/ThumbnailMemory.h"
#include "album/ThumbnailStore.h"
#include "platform/PictureIO.h"
#include "tests/support/Fixtures.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>
#include <semaphore>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct CacheFixture {
    QTemporaryDir dir;
    QString Root() const { return dir.filePath("thumbnails"); }
    QString Picture(const QString& name, QColor colour, int w = 800, int h = 600) const {
        return WritePicture(dir.filePath(name), w, h, colour);
    }
    static void SetModified(const QString& path, qint64 secs) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            f.setFileTime(QDateTime::fromSecsSinceEpoch(secs), QFileDevice::FileModificationTime));
    }
};

QColor Centre(const QImage& image) {
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

bool Near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
           std::abs(a.blue() - b.blue()) < 12;
}

} // namespace

TEST(DiskThumbnails, EntriesAreNamedAndMarkedAsTheDesktopDoes) {
    CacheFixture f;
    const QString picture = f.Picture("a b%é.jpg", Qt::red);
    DiskThumbnails disk(f.Root());
    const QImage made = MakeThumbnail({picture, {}, {200, 150}}, &disk);
    EXPECT_EQ(made.size(), QSize(200, 150));
    // 200 fits the large class: an entry of 256 x 192 in large, named by the URI's MD5.
    const QByteArray uri = QUrl::fromLocalFile(picture).toEncoded();
    const QString entry = f.Root() + "/large/" +
                          QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png";
    ASSERT_TRUE(QFile::exists(entry)) << entry.toStdString();
    const QImage written(entry);
    EXPECT_EQ(written.text("Thumb::URI").toUtf8(), uri);
    EXPECT_EQ(written.text("Thumb::MTime"),
              QString::number(QFileInfo(picture).lastModified().toSecsSinceEpoch()));
    EXPECT_EQ(written.size(), QSize(256, 192));
    EXPECT_EQ(QFile::permissions(entry) & 0x0077, 0); // the owner's alone
}

TEST(DiskThumbnails, HitMissAndInvalidationWhenTheFileChanges) {
    CacheFixture f;
    const QString picture = f.Picture("p.jpg", Qt::red);
    CacheFixture::SetModified(picture, 1'600'000'000);
    DiskThumbnails disk(f.Root());
    EXPECT_FALSE(disk.Read(picture, 128)); // miss
    EXPECT_TRUE(Near(Centre(MakeThumbnail({picture, {}, {100, 75}}, &disk)), Qt::red));
    ASSERT_TRUE(disk.Read(picture, 128)); // hit
    // A new modification time: the entry is stale and made again.
    WritePicture(picture, 800, 600, Qt::blue);
    CacheFixture::SetModified(picture, 1'600'000'100);
    EXPECT_FALSE(disk.Read(picture, 128));
    EXPECT_TRUE(Near(Centre(MakeThumbnail({picture, {}, {100, 75}}, &disk)), Qt::blue));
    EXPECT_TRUE(disk.Read(picture, 128));
    // Another class is another entry.
    EXPECT_FALSE(disk.Read(picture, 256));
}

TEST(DiskThumbnails, DamagedOrCutEntriesAreIgnoredAndMadeAgain) {
    CacheFixture f;
    const QString picture = f.Picture("p.jpg", Qt::green);
    DiskThumbnails disk(f.Root());
    (void)MakeThumbnail({picture, {}, {200, 150}}, &disk);
    const QString entry = disk.EntryPath(picture, 256);
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    for (const QByteArray& damaged :
         {whole.left(whole.size() / 2), QByteArray("not a png"), QByteArray()}) {
        WriteBytes(entry, damaged);
        EXPECT_FALSE(disk.Read(picture, 256));
        const QImage again = MakeThumbnail({picture, {}, {200, 150}}, &disk);
        EXPECT_TRUE(Near(Centre(again), Qt::green));
        EXPECT_TRUE(disk.Read(picture, 256)); // rewritten whole
    }
}

// Another program made the thumbnail, as the standard says: it is used, and no decode is needed.
TEST(DiskThumbnails, AThumbnailMadeByAnotherProgramIsUsed) {
    CacheFixture f;
    const QString picture = f.Picture("other.jpg", Qt::red);
    QImage theirs(128, 96, QImage::Format_RGB32);
    theirs.fill(Qt::yellow);
    theirs.setText("Thumb::URI", QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded));
    theirs.setText("Thumb::MTime",
                   QString::number(QFileInfo(picture).lastModified().toSecsSinceEpoch()));
    const QByteArray md5 =
        QCryptographicHash::hash(QUrl::fromLocalFile(picture).toEncoded(), QCryptographicHash::Md5)
            .toHex();
    QDir().mkpath(f.Root() + "/normal");
    ASSERT_TRUE(theirs.save(f.Root() + "/normal/" + md5 + ".png", "png"));
    // A contents cell of 60 x 45 is served from the normal class.
    ThumbnailStore::Options options;
    options.DiskRoot = f.Root();
    ThumbnailStore store(options);
    const QVector<QImage> cells = store.Fetch({{picture, {800, 600}, {60, 45}}});
    ASSERT_EQ(cells[0].size(), QSize(60, 45));
    EXPECT_TRUE(Near(Centre(cells[0]), Qt::yellow));
}

TEST(DiskThumbnails, TwoProcessesWritingOneEntryLeaveAWholeOne) {
    CacheFixture f;
    const QString picture = f.Picture("shared.jpg", Qt::red, 400, 300);
    const QImage red = MakeImage(256, 192, Qt::red);
    const QImage blue = MakeImage(256, 192, Qt::blue);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    DiskThumbnails disk(f.Root());
    int damaged = 0;
    for (int i = 0; i < 40; ++i) {
        disk.Write(picture, 256, child == 0 ? red : blue, *FileStamp::Of(picture));
        if (const QString entry = disk.EntryPath(picture, 256);
            QFile::exists(entry) && !disk.Read(picture, 256))
            ++damaged;
    }
    if (child == 0)
        _exit(damaged == 0 ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the other writer met half a file";
    EXPECT_EQ(damaged, 0);
    const std::optional<QImage> last = disk.Read(picture, 256);
    ASSERT_TRUE(last);
    EXPECT_TRUE(Near(Centre(*last), Qt::red) || Near(Centre(*last), Qt::blue));
    // No temporary file is left beside the entry.
    EXPECT_EQ(QDir(f.Root() + "/large").entryList(QDir::Files).size(), 1);
}

TEST(DiskThumbnails, TheCapEvictsTheLeastRecentlyUsed) {
    CacheFixture f;
    DiskThumbnails disk(f.Root(), 1); // smaller than any entry: the trim below clears all but use
    QStringList pictures;
    for (int i = 0; i < 3; ++i)
        pictures << f.Picture(QStringLiteral("p%1.jpg").arg(i), QColor(80 * i, 0, 0), 300, 200);
    DiskThumbnails big(f.Root());
    for (const QString& p : pictures)
        (void)MakeThumbnail({p, {}, {100, 66}}, &big);
    qint64 one = QFileInfo(big.EntryPath(pictures[0], 128)).size();
    // Oldest use first: p1, p2, then p0 read again.
    for (int i = 0; i < 3; ++i)
        CacheFixture::SetModified(big.EntryPath(pictures[i], 128), 1'600'000'000 + i);
    ASSERT_TRUE(big.Read(pictures[0], 128));
    DiskThumbnails capped(f.Root(), one * 2 + one / 2);
    capped.Trim();
    EXPECT_TRUE(capped.Read(pictures[0], 128));
    EXPECT_FALSE(QFile::exists(big.EntryPath(pictures[1], 128)));
    EXPECT_TRUE(capped.Read(pictures[2], 128));
}

// A frame's thumbnail is kept at its exact size, decoded straight from the picture, and only for
// the file as it was; a cut entry is made again.
TEST(DiskThumbnails, FrameThumbnailsAreKeptAtTheirExactSize) {
    CacheFixture f;
    const QString picture = f.Picture("frame.jpg", Qt::red, 1600, 1200);
    CacheFixture::SetModified(picture, 1'600'000'000);
    DiskThumbnails disk(f.Root());
    const QSize frame(700, 525);
    const QImage cold = MakeThumbnail({picture, {}, frame}, &disk);
    EXPECT_EQ(cold, LoadPictureScaled(picture, frame)); // no second resampling
    const QString entry = disk.ExactPath(picture, frame);
    ASSERT_TRUE(QFile::exists(entry));
    EXPECT_TRUE(entry.startsWith(disk.OwnRoot()));
    EXPECT_FALSE(QFile::exists(disk.EntryPath(picture, 1024))); // no shared entry for frames
    ASSERT_TRUE(disk.ReadExact(picture, frame));
    EXPECT_TRUE(Near(Centre(*disk.ReadExact(picture, frame)), Qt::red));
    EXPECT_FALSE(disk.ReadExact(picture, {600, 450})); // another size is another entry

    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    WriteBytes(entry, whole.left(whole.size() - 100));
    EXPECT_FALSE(disk.ReadExact(picture, frame));
    EXPECT_TRUE(Near(Centre(MakeThumbnail({picture, {}, frame}, &disk)), Qt::red));
    ASSERT_TRUE(disk.ReadExact(picture, frame));

    WritePicture(picture, 1600, 1200, Qt::blue);
    CacheFixture::SetModified(picture, 1'600'000'100);
    EXPECT_FALSE(disk.ReadExact(picture, frame));
    EXPECT_TRUE(Near(Centre(MakeThumbnail({picture, {}, frame}, &disk)), Qt::blue));
}

TEST(ThumbnailMemory, KeepsToItsByteLimitDroppingTheLeastRecentlyUsed) {
    const QImage image(100, 100, QImage::Format_RGB32); // 40,000 bytes
    ThumbnailMemory memory(100'000);
    memory.Insert({"a", {100, 100}}, image);
    memory.Insert({"b", {100, 100}}, image);
    ASSERT_TRUE(memory.Find({"a", {100, 100}})); // a is used again: b is now the oldest
    memory.Insert({"c", {100, 100}}, image);
    EXPECT_EQ(memory.Count(), 2);
    EXPECT_LE(memory.Bytes(), 100'000);
    EXPECT_TRUE(memory.Find({"a", {100, 100}}));
    EXPECT_FALSE(memory.Find({"b", {100, 100}}));
    EXPECT_TRUE(memory.Find({"c", {100, 100}}));
    memory.Insert({"huge", {200, 200}}, QImage(200, 200, QImage::Format_RGB32));
    EXPECT_FALSE(memory.Find({"huge", {200, 200}})); // larger than the whole limit
    EXPECT_EQ(memory.Count(), 2);
    memory.Forget("a");
    EXPECT_FALSE(memory.Find({"a", {100, 100}}));
    memory.SetLimit(0);
    EXPECT_EQ(memory.Count(), 0);
    EXPECT_EQ(memory.Bytes(), 0);
}

TEST(ThumbnailStore, WhatIsNeededNowGoesBeforeWhatIsWantedForLater) {
    CacheFixture f;
    QStringList p;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "now.jpg"})
        p << f.Picture(name, Qt::gray, 200, 150);
    ThumbnailStore::Options options;
    options.DiskRoot.clear();
    options.Threads = 1;
    ThumbnailStore store(options);
    std::binary_semaphore gate(0);
    std::mutex m;
    QStringList order;
    store.Started = [&](const ThumbnailRequest& r) {
        bool first = false;
        {
            std::lock_guard lock(m);
            order << QFileInfo(r.Path).fileName();
            first = order.size() == 1;
        }
        if (first)
            gate.acquire(); // the first one waits while the rest is queued
    };
    store.Want({{p[0], {}, {50, 40}}, {p[1], {}, {50, 40}}, {p[2], {}, {50, 40}}});
    const auto started = [&] {
        std::lock_guard lock(m);
        return order.size();
    };
    // Bounded waits for the worker's progress, nothing timed: the first one starts, then the
    // fetch queues its request behind it.
    QDeadlineTimer deadline(30'000);
    while (started() < 1 && !deadline.hasExpired())
        QThread::msleep(5);
    ASSERT_EQ(started(), 1);
    std::thread shown([&] {
        const QVector<QImage> now = store.Fetch({{p[3], {}, {50, 40}}});
        EXPECT_EQ(now[0].size(), QSize(50, 40));
    });
    while (store.Queued() < 3 && !deadline.hasExpired())
        QThread::msleep(5);
    EXPECT_EQ(store.Queued(), 3);
    gate.release();
    shown.join();
    store.WaitIdle();
    EXPECT_EQ(order, QStringList({"a.jpg", "now.jpg", "b.jpg", "c.jpg"}));
}

TEST(ThumbnailStore, ADamagedPictureGivesANullThumbnailAndItsMessageOnce) {
    CacheFixture f;
    const QString good = f.Picture("good.jpg", Qt::red, 200, 150);
    const QString bad = WriteBytes(f.dir.filePath("bad.jpg"), "no picture");
    ThumbnailStore::Options options;
    options.DiskRoot = f.Root();
    ThumbnailStore store(options);
    const QVector<QImage> images =
        store.Fetch({{good, {}, {40, 30}}, {bad, {}, {40, 30}}, {bad, {}, {20, 15}}});
    EXPECT_EQ(images[0].size(), QSize(40, 30));
    EXPECT_TRUE(images[1].isNull());
    EXPECT_TRUE(images[2].isNull());
    const QStringList failures = store.TakeFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(bad));
    EXPECT_TRUE(store.TakeFailures().isEmpty());
}

TEST(ThumbnailStore, ATransformReplacesTheEntriesOfItsFile) {
    CacheFixture f;
    const QString picture = f.Picture("turn.jpg", Qt::red, 300, 200);
    ThumbnailStore::Options options;
    options.DiskRoot = f.Root();
    ThumbnailStore store(options);
    EXPECT_TRUE(Near(Centre(store.Fetch({{picture, {}, {90, 60}}})[0]), Qt::red));
    EXPECT_TRUE(Near(Centre(store.Fetch({{picture, {}, {300, 200}}})[0]), Qt::red));
    store.WaitIdle(); // the disk entries are written after the thumbnails are handed out
    ASSERT_TRUE(store.Disk()->Read(picture, 128));
    ASSERT_TRUE(store.Disk()->ReadExact(picture, {300, 200}));
    // The program rewrites the file (same second, so the time alone would not tell).
    WritePicture(picture, 200, 300, Qt::blue);
    store.Replace(picture, {60, 90}, MakeImage(60, 90, Qt::blue));
    EXPECT_FALSE(store.Disk()->Read(picture, 128));
    EXPECT_FALSE(store.Memory().Find({picture, {90, 60}}));
    EXPECT_TRUE(QDir(store.Disk()->OwnRoot() + "/300x200").isEmpty());
    EXPECT_TRUE(Near(Centre(store.Fetch({{picture, {}, {60, 90}}})[0]), Qt::blue));
    EXPECT_TRUE(Near(Centre(store.Fetch({{picture, {}, {40, 60}}})[0]), Qt::blue)); // remade
}

TEST(SpreadThumbnails, TheShownSpreadThenTheWayOfTravelThenBehind) {
    TAlbum album;
    album.Orientation = OrientationHorizontal;
    album.Count = 100;
    album.Fotos.resize(100);
    ComputeDerivedNumbers(album); // 3 contents spreads, 25 picture spreads: 0 .. 29
    EXPECT_EQ(SpreadsToPrepare(album, 5, 1), QVector<int>({6, 7, 8, 4}));
    EXPECT_EQ(SpreadsToPrepare(album, 5, -1), QVector<int>({4, 3, 2, 6}));
    EXPECT_EQ(SpreadsToPrepare(album, 28, 1), QVector<int>({29, 27}));
    EXPECT_EQ(SpreadsToPrepare(album, 0, -1), QVector<int>({1}));
    // A picture spread wants its four frames, a contents spread its forty cells at cell size.
    for (int i = 0; i < 100; ++i) {
        album.Fotos[i].FileName = QString::number(i);
        album.Fotos[i].Rect = {0, 0, 300, 200};
        album.Index[i].FotoRect = {0, 0, 60, 40};
    }
    const QVector<ThumbnailRequest> frames = SpreadThumbnails(album, 4);
    ASSERT_EQ(frames.size(), 4);
    EXPECT_EQ(frames[0].Path, "0");
    EXPECT_EQ(frames[3].Size, QSize(300, 200));
    const QVector<ThumbnailRequest> cells = SpreadThumbnails(album, 3);
    ASSERT_EQ(cells.size(), 20); // the last contents spread holds entries 80 to 99
    EXPECT_EQ(cells[0].Path, "80");
    EXPECT_EQ(cells[0].Size, QSize(60, 40));
    EXPECT_TRUE(SpreadThumbnails(album, 0).isEmpty());
}
