#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <functional>

// The data files are lines of bytes. A line is read as UTF-8 when it is valid UTF-8, otherwise as
// Windows-1252 (files made on Windows); the program writes its own text as UTF-8. Writers keep
// the bytes of every line they do not change, so a line is never re-encoded behind the user's
// back. Picture paths are file names, kept as their bytes (platform/FileNames.h).

// Longest short text field (theme names, theme picture paths), in characters.
inline constexpr int ShortFieldMax = 255;

// Cuts text to at most ShortFieldMax characters without splitting one.
[[nodiscard]] QString CutShortField(const QString& text);

// The text of a line's bytes: UTF-8 when valid, else Windows-1252.
[[nodiscard]] QString DecodeLine(const QByteArray& bytes);
// The bytes to write for text: asRead when it still reads as text (the line was not changed),
// else the UTF-8 of text.
[[nodiscard]] QByteArray EncodeLine(const QString& text, const QByteArray& asRead = {});

// True when text holds a line break, which a one-line field cannot store.
[[nodiscard]] bool HasLineBreak(const QString& text);

// Reads a text file of lines ending in CR LF or a bare LF. Reading past the end gives empty
// text; a file that ends with a line break yields no extra empty line.
class LineReader {
public:
    // Throws IoError ("File not found: <path>" or the system's reason) when it cannot be read.
    explicit LineReader(const QString& path);
    // Reads lines from bytes already in memory (fuzzing and tests).
    static LineReader FromBytes(const QByteArray& bytes);

    [[nodiscard]] bool AtEnd() const { return pos_ >= data_.size(); }
    // The next line's bytes, without its line break.
    QByteArray ReadLineBytes();
    QString ReadLine() { return DecodeLine(ReadLineBytes()); }
    // A short field: the line cut to ShortFieldMax characters, the rest of the line skipped.
    QString ReadShortLine() { return CutShortField(ReadLine()); }
    // A file name, its bytes kept (PathFromBytes).
    QString ReadPathLine();
    // A decimal integer line; throws ConversionError naming the text, and the file and line
    // number when the reader has a name, when it is not one.
    int ReadInt();
    // Every remaining line.
    QStringList ReadAll();
    QByteArrayList ReadAllBytes();
    // Number of the line read last (1 for the first).
    [[nodiscard]] int LineNumber() const { return line_; }
    // The name conversion errors give for the file ("Wizard.ini").
    void SetName(const QString& name) { name_ = name; }

private:
    LineReader() = default;
    QByteArray data_;
    qsizetype pos_ = 0;
    int line_ = 0;
    QString name_;
};

// Reads every line of a file (CR LF or LF). Throws IoError when it cannot be read.
[[nodiscard]] QStringList ReadLines(const QString& path);
[[nodiscard]] QByteArrayList ReadLineBytes(const QString& path);

// The bytes of lines, each followed by CR LF (text lines as UTF-8).
[[nodiscard]] QByteArray JoinLines(const QStringList& lines);
[[nodiscard]] QByteArray JoinLineBytes(const QByteArrayList& lines);

// The text of each line, and the UTF-8 bytes of each text.
[[nodiscard]] QStringList DecodeLines(const QByteArrayList& lines);
[[nodiscard]] QByteArrayList EncodeLines(const QStringList& lines);

// Parses a plain decimal integer as the data files write it; throws ConversionError otherwise.
[[nodiscard]] int ParseInt(const QString& text);
// The same, the message ending in where the text stands: "'abc' is not a valid integer value
// (Wizard.ini, line 5)".
[[nodiscard]] int ParseInt(const QString& text, const QString& file, int line);

// Writes data to path (by its bytes, platform/FileNames.h) through a temporary file beside it that
// is renamed over the target, so a failed write leaves the old file whole. An existing file keeps
// its permissions. Throws IoError naming the file.
void WriteFileAtomic(const QString& path, const QByteArray& data);

// Test hook standing in for a full disk: while set, a write of path stops after the returned
// number of bytes (a negative number: no limit) and fails as a full disk would. Tests only.
using WriteLimit = std::function<qint64(const QString& path)>;
void SetWriteLimitForTests(WriteLimit limit);

// WriteFileAtomic of JoinLines(lines) or JoinLineBytes(lines).
void WriteLines(const QString& path, const QStringList& lines);
void WriteLineBytes(const QString& path, const QByteArrayList& lines);
