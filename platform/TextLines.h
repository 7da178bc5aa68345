#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// Longest short text field (paths of pictures and theme pictures), in bytes of the stored text.
inline constexpr int ShortFieldMax = 255;

// Cuts text to at most ShortFieldMax bytes of UTF-8 without splitting a character.
[[nodiscard]] QString CutShortField(const QString& text);

// Reads a text file of lines ending in CR LF or a bare LF. Reading past the end gives empty
// text; a file that ends with a line break yields no extra empty line.
class LineReader {
public:
    // Throws IoError ("File not found: <path>" or the system's reason) when it cannot be read.
    explicit LineReader(const QString& path);
    // Reads lines from bytes already in memory (fuzzing and tests).
    static LineReader FromBytes(const QByteArray& bytes);

    [[nodiscard]] bool AtEnd() const { return pos_ >= data_.size(); }
    QString ReadLine();
    // A short field: the line cut to ShortFieldMax bytes, the rest of the line skipped.
    QString ReadShortLine() { return CutShortField(ReadLine()); }
    // A decimal integer line; throws ConversionError naming the text when it is not one.
    int ReadInt();
    // Every remaining line.
    QStringList ReadAll();

private:
    LineReader() = default;
    QByteArray data_;
    qsizetype pos_ = 0;
};

// Reads every line of a file (CR LF or LF). Throws IoError when it cannot be read.
[[nodiscard]] QStringList ReadLines(const QString& path);

// The bytes of lines, each followed by CR LF.
[[nodiscard]] QByteArray JoinLines(const QStringList& lines);

// Parses a plain decimal integer as the data files write it; throws ConversionError otherwise.
[[nodiscard]] int ParseInt(const QString& text);

// Writes data to path through a temporary file beside it that is renamed over the target, so a
// failed write leaves the old file whole. Throws IoError naming the file.
void WriteFileAtomic(const QString& path, const QByteArray& data);

// Test hook standing in for a full disk: while set, a write of path stops after the returned
// number of bytes (a negative number: no limit) and fails as a full disk would. Tests only.
using WriteLimit = std::function<qint64(const QString& path)>;
void SetWriteLimitForTests(WriteLimit limit);

// WriteFileAtomic of JoinLines(lines).
void WriteLines(const QString& path, const QStringList& lines);
