#include "platform/FileNames.h"

#include "platform/TextLines.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool IsEscape(QChar c) {
    return c.unicode() >= EscapeBase + 0x80 && c.unicode() <= EscapeBase + 0xFF;
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at bytes[i], or 0 when it is not one (overlong forms,
// surrogates and values past U+10FFFF are not valid).
int Utf8SequenceAt(const QByteArray& bytes, qsizetype i) {
    const auto at = [&](qsizetype k) {
        return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0;
    };
    const unsigned char b = at(i);
    if (b < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF)
        length = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        low = b == 0xE0 ? 0xA0 : 0x80;
        high = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        low = b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k)
        if (!IsContinuation(at(i + k)))
            return 0;
    return length;
}

QString Reason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The bytes to hand to the system, or nothing for a name no file can have: the system would end
// it at its first NUL byte and find another file.
std::optional<QByteArray> SystemName(const QString& path) {
    QByteArray bytes = PathBytes(path);
    if (bytes.isEmpty() || bytes.contains('\0'))
        return std::nullopt;
    return bytes;
}

bool Stat(const QString& path, struct stat& info) {
    const std::optional<QByteArray> name = SystemName(path);
    return name && ::stat(name->constData(), &info) == 0;
}

} // namespace

QString PathFromBytes(const QByteArray& bytes) {
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    QString path;
    path.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = Utf8SequenceAt(bytes, i);
        if (length == 0) {
            path += QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            path += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        }
    }
    return path;
}

QByteArray PathBytes(const QString& path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype run = 0; // start of the text not yet encoded
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsEscape(path[i]))
            continue;
        // An escape preceded by a high surrogate would be half of a real character.
        if (i < path.size() && i > 0 && path[i - 1].isHighSurrogate())
            continue;
        bytes += QStringView(path).mid(run, i - run).toUtf8();
        if (i < path.size())
            bytes += static_cast<char>(path[i].unicode() - EscapeBase);
        run = i + 1;
    }
    return bytes;
}

QString DisplayPath(const QString& path) {
    QString shown = path;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (IsEscape(shown[i]) && !(i > 0 && shown[i - 1].isHighSurrogate()))
            shown[i] =
                DecodeLine(QByteArray(1, static_cast<char>(shown[i].unicode() - EscapeBase)))[0];
    return shown;
}

bool IsExistingFile(const QString& path) {
    struct stat info {};
    return Stat(path, info) && S_ISREG(info.st_mode);
}

bool PathExists(const QString& path) {
    struct stat info {};
    return Stat(path, info);
}

QString OpenForReading(QFile& file, const QString& path) {
    const std::optional<QByteArray> name = SystemName(path);
    if (!name)
        return QStringLiteral("no file can have this name");
    const int fd = ::open(name->constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Reason();
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return QStringLiteral("it is a folder");
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const QString why = file.errorString();
        ::close(fd);
        return why;
    }
    return {};
}

bool RemoveFile(const QString& path) {
    const std::optional<QByteArray> name = SystemName(path);
    return name && ::unlink(name->constData()) == 0;
}
