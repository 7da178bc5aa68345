#include "platform/TextLines.h"

#include "platform/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

void WriteFileAtomic(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw IoError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    const qint64 limit = TestWriteLimit() ? TestWriteLimit()(path) : -1;
    const bool full = limit >= 0 && limit < data.size();
    const QByteArray written = full ? data.left(limit) : data;
    // QSaveFile buffers the data: a write that fails while the buffer is flushed on commit()
    // would still be renamed over the target, so the flush is checked first.
    if (file.write(written) != written.size() || !file.flush() || full) {
        const QString reason =
            full ? QStringLiteral("No space left on device") : file.errorString();
        file.cancelWriting();
        throw IoError(QStringLiteral("Cannot write %1: %2").arg(path, reason));
    }
    if (!file.commit())
        throw IoError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

void WriteLines(const QString& path, const QStringList& lines) {
    WriteFileAtomic(path, JoinLines(lines));
}
