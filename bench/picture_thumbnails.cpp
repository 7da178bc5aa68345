// Thumbnail loading against vipsthumbnail: both make 160 x 120 thumbnails of the same camera-size
// JPEGs; prints the median time per picture of several runs and the ratio.
#include "platform/PictureIO.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Pictures = 8;
constexpr int Runs = 7;
constexpr QSize PictureSize(6000, 4000);
constexpr QSize Thumb(160, 120);

// A photo-like picture: smooth gradients with some noise, so it compresses like a photo.
QImage MakePhoto(int seed) {
    QImage image(PictureSize, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, PictureSize.width(), PictureSize.height());
    g.setColorAt(0, QColor::fromHsv(seed * 40 % 360, 160, 220));
    g.setColorAt(1, QColor::fromHsv((seed * 40 + 120) % 360, 200, 90));
    p.fillRect(image.rect(), g);
    QRandomGenerator random(seed);
    for (int i = 0; i < 4000; ++i)
        p.fillRect(random.bounded(PictureSize.width()), random.bounded(PictureSize.height()),
                   random.bounded(80), random.bounded(80),
                   QColor::fromRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
    return image;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < Pictures; ++i) {
        files << dir.filePath(QStringLiteral("photo%1.jpg").arg(i));
        SaveJpeg(MakePhoto(i), files.back(), 90);
    }

    std::vector<double> ours;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer t;
        t.start();
        for (const QString& f : files)
            (void)LoadPictureScaled(f, Thumb);
        ours.push_back(double(t.nsecsElapsed()) / 1e6 / Pictures);
    }
    std::printf("LoadPictureScaled %dx%d -> %dx%d: median %.2f ms per picture\n",
                PictureSize.width(), PictureSize.height(), Thumb.width(), Thumb.height(),
                Median(ours));

    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (vips.isEmpty()) {
        std::printf("vipsthumbnail not found: no comparison\n");
        return 0;
    }
    std::vector<double> theirs;
    const QStringList args =
        QStringList{QStringLiteral("-s"),
                    QStringLiteral("%1x%2!").arg(Thumb.width()).arg(Thumb.height()),
                    QStringLiteral("-o"), dir.filePath("tn_%s.jpg")} +
        files;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer t;
        t.start();
        QProcess::execute(vips, args);
        theirs.push_back(double(t.nsecsElapsed()) / 1e6 / Pictures);
    }
    std::printf("vipsthumbnail (one process for all, with its start and JPEG write): median %.2f "
                "ms per picture\n",
                Median(theirs));
    std::printf("ratio ours / vipsthumbnail: %.2f\n", Median(ours) / Median(theirs));
    return 0;
}
