#include "Output.h"

#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {
QString WithSlash(QString folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
} // namespace

OutputFolder::OutputFolder(QString root, QString installedRoot)
    : root_(WithSlash(std::move(root))),
      installedRoot_(installedRoot.isEmpty() ? root_ : WithSlash(std::move(installedRoot))) {}

QString OutputFolder::File(const QString& relative) const {
    const QString path = root_ + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

QString OutputFolder::InstalledPath(const QString& relative) const {
    return QDir::cleanPath(QDir(installedRoot_).absoluteFilePath(relative));
}

void OutputFolder::Jpeg(const QString& relative, const QImage& image, int quality) const {
    SaveJpeg(image, File(relative), quality);
}

void OutputFolder::Bmp(const QString& relative, const QImage& image) const {
    SaveBmp24(image, File(relative));
}

void OutputFolder::Png(const QString& relative, const QImage& image) const {
    const QString path = File(relative);
    if (!image.save(path, "PNG"))
        throw IoError(QStringLiteral("Cannot write %1").arg(path));
}

void OutputFolder::Lines(const QString& relative, const QStringList& lines) const {
    WriteLines(File(relative), lines);
}

void OutputFolder::Wav(const QString& relative, const std::vector<float>& samples,
                       int sampleRate) const {
    WriteFileAtomic(File(relative), EncodeWav16(samples, sampleRate));
}

namespace {

void PutU32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void PutU16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

} // namespace

QByteArray EncodeWav16(const std::vector<float>& samples, int sampleRate) {
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    PutU32(out, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, 1); // mono
    PutU32(out, quint32(sampleRate));
    PutU32(out, quint32(sampleRate * 2)); // bytes per second
    PutU16(out, 2);                       // block align
    PutU16(out, 16);                      // bits per sample
    out.append("data");
    PutU32(out, dataBytes);
    for (float s : samples) {
        const float clipped = std::clamp(s, -1.0f, 1.0f);
        PutU16(out, quint16(qint16(std::lround(clipped * 32767.0f))));
    }
    return out;
}
