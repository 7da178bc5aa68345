#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

// Where the generator writes: the program folder, ending in "/". A package is written into a
// staging folder and installed elsewhere later: installedRoot is then where its files will be.
class OutputFolder {
public:
    explicit OutputFolder(QString root, QString installedRoot = {});
    [[nodiscard]] const QString& Root() const { return root_; }
    // Absolute path of a file below the program folder; its folders are created.
    [[nodiscard]] QString File(const QString& relative) const;
    // Absolute path that a file below the program folder will have once installed.
    [[nodiscard]] QString InstalledPath(const QString& relative) const;

    void Jpeg(const QString& relative, const QImage& image, int quality = 92) const;
    void Bmp(const QString& relative, const QImage& image) const;
    void Png(const QString& relative, const QImage& image) const;
    // A text file of lines, each ending in CR LF, as every data file of the program.
    void Lines(const QString& relative, const QStringList& lines) const;
    // A mono 16-bit PCM WAV file from samples in -1..1.
    void Wav(const QString& relative, const std::vector<float>& samples, int sampleRate) const;

private:
    QString root_;
    QString installedRoot_;
};

// The bytes of a mono 16-bit PCM WAV file (RIFF header, "fmt " and "data" chunks).
[[nodiscard]] QByteArray EncodeWav16(const std::vector<float>& samples, int sampleRate);
