#include "platform/TextLines.h"

#include "platform/Errors.h"
#include "platform/FileNames.h"

#include <QFile>
#include <QRandomGenerator>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined stand for the C1 controls,
// as Windows reads them.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString Reason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void FailWrite(const QString& path, const QString& why) {
    throw IoError(QStringLiteral("Cannot write %1: %2").arg(DisplayPath(path), why));
}

} // namespace

QString CutShortField(const QString& text) {
    qsizetype cut = 0;
    for (int characters = 0; cut < text.size() && characters < ShortFieldMax; ++characters)
        cut += text[cut].isHighSurrogate() && cut + 1 < text.size() ? 2 : 1;
    return cut == text.size() ? text : text.left(cut);
}

QString DecodeLine(const QByteArray& bytes) {
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray EncodeLine(const QString& text, const QByteArray& asRead) {
    if (!asRead.isEmpty() && DecodeLine(asRead) == text)
        return asRead;
    return text.toUtf8();
}

bool HasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

LineReader::LineReader(const QString& path) {
    QFile file;
    if (!PathExists(path))
        throw IoError(QStringLiteral("File not found: %1").arg(DisplayPath(path)));
    const QString why = OpenForReading(file, path);
    if (!why.isEmpty())
        throw IoError(QStringLiteral("Cannot read %1: %2").arg(DisplayPath(path), why));
    data_ = file.readAll();
}

LineReader LineReader::FromBytes(const QByteArray& bytes) {
    LineReader r;
    r.data_ = bytes;
    return r;
}

QByteArray LineReader::ReadLineBytes() {
    ++line_;
    if (AtEnd())
        return {};
    qsizetype end = data_.indexOf('\n', pos_);
    if (end < 0)
        end = data_.size();
    qsizetype stop = end;
    if (stop > pos_ && data_[stop - 1] == '\r')
        --stop;
    QByteArray line = data_.mid(pos_, stop - pos_);
    pos_ = end + 1;
    return line;
}

QString LineReader::ReadPathLine() {
    return PathFromBytes(ReadLineBytes());
}

int LineReader::ReadInt() {
    const QString text = ReadLine();
    return name_.isEmpty() ? ParseInt(text) : ParseInt(text, name_, line_);
}

QStringList LineReader::ReadAll() {
    QStringList lines;
    while (!AtEnd())
        lines << ReadLine();
    return lines;
}

QByteArrayList LineReader::ReadAllBytes() {
    QByteArrayList lines;
    while (!AtEnd())
        lines << ReadLineBytes();
    return lines;
}

QStringList ReadLines(const QString& path) {
    return LineReader(path).ReadAll();
}

QByteArrayList ReadLineBytes(const QString& path) {
    return LineReader(path).ReadAllBytes();
}

QByteArray JoinLines(const QStringList& lines) {
    return JoinLineBytes(EncodeLines(lines));
}

QByteArray JoinLineBytes(const QByteArrayList& lines) {
    QByteArray out;
    for (const QByteArray& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

QStringList DecodeLines(const QByteArrayList& lines) {
    QStringList texts;
    texts.reserve(lines.size());
    for (const QByteArray& line : lines)
        texts << DecodeLine(line);
    return texts;
}

QByteArrayList EncodeLines(const QStringList& lines) {
    QByteArrayList bytes;
    bytes.reserve(lines.size());
    for (const QString& line : lines)
        bytes << line.toUtf8();
    return bytes;
}

int ParseInt(const QString& text) {
    bool ok = false;
    // Plain decimal only: an optional minus sign and digits, no blanks.
    const bool plain = !text.isEmpty() && (text[0] == QLatin1Char('-') || text[0].isDigit()) &&
                       !text.back().isSpace();
    const int value = plain ? text.toInt(&ok, 10) : 0;
    if (!ok)
        throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

int ParseInt(const QString& text, const QString& file, int line) {
    try {
        return ParseInt(text);
    } catch (const ConversionError& e) {
        throw ConversionError(QStringLiteral("%1 (%2, line %3)").arg(e.Message, file).arg(line));
    }
}

namespace {
WriteLimit& TestWriteLimit() {
    static WriteLimit limit;
    return limit;
}

// Writes all of data to fd, at most limit bytes when limit >= 0; false with errno set otherwise.
bool WriteAll(int fd, const QByteArray& data, qint64 limit) {
    const qint64 size = limit >= 0 && limit < data.size() ? limit : data.size();
    for (qint64 done = 0; done < size;) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    if (size < data.size()) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

// The file a write of path replaces: the target of a symbolic link, else path itself.
QByteArray WriteTarget(const QByteArray& path) {
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(path.constData(), nullptr)) {
            QByteArray resolved(real);
            ::free(real);
            return resolved;
        }
    }
    return path;
}
} // namespace

void SetWriteLimitForTests(WriteLimit limit) {
    TestWriteLimit() = std::move(limit);
}

void WriteFileAtomic(const QString& path, const QByteArray& data) {
    const QByteArray bytes = PathBytes(path);
    if (bytes.isEmpty() || bytes.contains('\0'))
        FailWrite(path, QStringLiteral("no file can have this name"));
    const QByteArray target = WriteTarget(bytes);
    struct stat old {};
    const bool existed = ::stat(target.constData(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode))
        FailWrite(path, QStringLiteral("it is a folder"));
    // The temporary file is named on its own, not after the target: a target's name may already
    // be as long as the system allows.
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + ".krel-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        FailWrite(path, Reason());
    if (existed)
        (void)::fchmod(fd, old.st_mode & 07777);
    const qint64 limit = TestWriteLimit() ? TestWriteLimit()(path) : -1;
    if (!WriteAll(fd, data, limit) || ::fsync(fd) != 0) {
        const QString why = Reason();
        ::close(fd);
        ::unlink(temp.constData());
        FailWrite(path, why);
    }
    if (::close(fd) != 0 || ::rename(temp.constData(), target.constData()) != 0) {
        const QString why = Reason();
        ::unlink(temp.constData());
        FailWrite(path, why);
    }
}

void WriteLines(const QString& path, const QStringList& lines) {
    WriteFileAtomic(path, JoinLines(lines));
}

void WriteLineBytes(const QString& path, const QByteArrayList& lines) {
    WriteFileAtomic(path, JoinLineBytes(lines));
}
