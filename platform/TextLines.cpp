#include "platform/TextLines.h"

#include "platform/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

QString CutShortField(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    if (utf8.size() <= ShortFieldMax)
        return text;
    qsizetype cut = ShortFieldMax;
    // Step back over continuation bytes so the cut falls on a character boundary.
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;
    return QString::fromUtf8(utf8.left(cut));
}

LineReader::LineReader(const QString& path) {
    QFile file(path);
    if (!file.exists())
        throw IoError(QStringLiteral("File not found: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    data_ = file.readAll();
}

LineReader LineReader::FromBytes(const QByteArray& bytes) {
    LineReader r;
    r.data_ = bytes;
    return r;
}

QString LineReader::ReadLine() {
    if (AtEnd())
        return {};
    qsizetype end = data_.indexOf('\n', pos_);
    if (end < 0)
        end = data_.size();
    qsizetype stop = end;
    if (stop > pos_ && data_[stop - 1] == '\r')
        --stop;
    QString line = QString::fromUtf8(data_.constData() + pos_, stop - pos_);
    pos_ = end + 1;
    return line;
}

int LineReader::ReadInt() {
    return ParseInt(ReadLine());
}

QStringList LineReader::ReadAll() {
    QStringList lines;
    while (!AtEnd())
        lines << ReadLine();
    return lines;
}

QStringList ReadLines(const QString& path) {
    return LineReader(path).ReadAll();
}

QByteArray JoinLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
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

namespace {
WriteLimit& TestWriteLimit() {
    static WriteLimit limit;
    return limit;
}
} // namespace

void SetWriteLimitForTests(WriteLimit limit) {
    TestWriteLimit() = std::move(limit);
}

namespace {

[[noreturn]] void FailWrite(const QString& path, const QString& reason) {
    throw IoError(QStringLiteral("Cannot write %1: %2").arg(path, reason));
}

// The system's words for a failed write when Qt has none of its own.
QString ReasonOf(const QFileDevice& file, int error) {
    const QString text = file.errorString();
    if (file.error() != QFileDevice::NoError && !text.isEmpty() &&
        text != QLatin1String("Unknown error"))
        return text;
    return QString::fromLocal8Bit(std::strerror(error != 0 ? error : EIO));
}

} // namespace

void WriteFileAtomic(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    // Unbuffered, so that each write reaches the system at once and its failure is seen here,
    // before commit() could rename a short file over the target.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        FailWrite(path, file.errorString());
    const qint64 limit = TestWriteLimit() ? TestWriteLimit()(path) : -1;
    qint64 done = 0;
    while (done < data.size()) {
        // A write the disk cannot take whole writes part of it; the next one then fails with the
        // system's reason (Qt reports none for the part-way write itself).
        const qint64 room = limit >= 0 ? std::max<qint64>(0, limit - done) : data.size() - done;
        errno = 0;
        const qint64 n = room > 0 ? file.write(data.constData() + done,
                                               std::min<qint64>(room, data.size() - done))
                                  : -1;
        if (n <= 0) {
            const int error = room > 0 ? errno : ENOSPC; // the test hook stands for a full disk
            const QString reason =
                room > 0 ? ReasonOf(file, error) : QString::fromLocal8Bit(std::strerror(error));
            file.cancelWriting();
            FailWrite(path, reason);
        }
        done += n;
    }
    errno = 0;
    if (!file.commit())
        FailWrite(path, ReasonOf(file, errno));
}

void WriteLines(const QString& path, const QStringList& lines) {
    WriteFileAtomic(path, JoinLines(lines));
}
