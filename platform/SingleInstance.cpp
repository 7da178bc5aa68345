#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder that only this user can have put there: a real folder (not a link) that the user owns.
bool IsOwnFolder(const QString& folder) {
    struct stat st {};
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &st) == 0 &&
           S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// parent/krel-album-<uid>, made private when missing; empty when it is not the user's own.
QString PrivateFolderIn(const QString& parent) {
    if (parent.isEmpty())
        return {};
    const QString folder = QDir(parent).filePath(QStringLiteral("krel-album-%1").arg(::getuid()));
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    if (!IsOwnFolder(folder))
        return {};
    ::chmod(name.constData(), 0700); // nobody else reads who runs the program
    return folder;
}

// Whether fd is still the file at path: a copy that ends removes its marker, and one that
// locked the removed file in between must not count as the holder.
bool IsStillAt(int fd, const QString& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

QString DefaultMarkerFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && IsOwnFolder(runtime))
        return runtime;
    QString folder = PrivateFolderIn(QDir::tempPath());
    if (folder.isEmpty()) {
        const QString cache =
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        QDir().mkpath(cache);
        folder = PrivateFolderIn(cache);
    }
    return folder;
}

SingleInstance::SingleInstance(const QString& folder) {
    if (folder.isEmpty())
        return;
    path_ = QDir(folder).filePath(QLatin1String(InstanceMarkerName));
    channel_ = path_ + QLatin1String(".socket");
}

SingleInstance::~SingleInstance() {
    if (fd_ < 0)
        return;
    ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_); // drops the lock
}

bool SingleInstance::TryAcquire() {
    if (fd_ >= 0 || path_.isEmpty())
        return true;
    const QByteArray name = QFile::encodeName(path_);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return true; // no marker can be made: nothing stops this start
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(fd);
            return !held;
        }
        if (!IsStillAt(fd, path_)) {
            ::close(fd);
            continue;
        }
        // The process id is for people who look; the lock is what counts.
        const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
        if (::ftruncate(fd, 0) == 0) {
            [[maybe_unused]] const ssize_t written =
                ::write(fd, pid.constData(), size_t(pid.size()));
        }
        fd_ = fd;
        return true;
    }
    return false;
}
