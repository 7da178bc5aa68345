// A quarter turn of a 24-megapixel JPEG whose size allows a lossless turn, file read to file
// written and the album entry's thumbnail rebuilt, against `jpegtran -rotate 90 -copy all` on the
// same file. Prints the median of several runs of each, run side by side, and their ratio.
#include "album/Album.h"
#include "album/Geometry.h"
#include "platform/PictureIO.h"
#include "view/AlbumEditing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 9;
constexpr QSize PictureSize(6000, 4000); // whole 16 x 16 blocks both ways
constexpr double AllowedRatio = 1.2;
constexpr int ScreenWidth = 1280;

// A photo-like picture: gradients, shapes and grain, so it compresses to a camera's file size.
QImage MakePhoto() {
    QImage image(PictureSize, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, PictureSize.width(), PictureSize.height());
    g.setColorAt(0, QColor(200, 150, 90));
    g.setColorAt(1, QColor(40, 80, 160));
    p.fillRect(image.rect(), g);
    QRandomGenerator random(7);
    for (int i = 0; i < 3000; ++i)
        p.fillRect(random.bounded(PictureSize.width()), random.bounded(PictureSize.height()),
                   random.bounded(120), random.bounded(120),
                   QColor::fromRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
    p.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(24)) - 12;
            const QRgb c = row[x];
            row[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                          std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return image;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double TimeMs(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString jpegtran = QStandardPaths::findExecutable(QStringLiteral("jpegtran"));
    if (jpegtran.isEmpty()) {
        std::fprintf(stderr, "jpegtran not found (Debian package libjpeg-turbo-progs)\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString ourFile = dir.filePath(QStringLiteral("ours.jpg"));
    const QString theirIn = dir.filePath(QStringLiteral("theirs.jpg"));
    const QString theirOut = dir.filePath(QStringLiteral("theirs-turned.jpg"));
    const QImage photo = MakePhoto();
    SaveJpeg(photo, ourFile, 92);
    SaveJpeg(photo, theirIn, 92);
    std::printf("picture %d x %d, %.1f MB\n", PictureSize.width(), PictureSize.height(),
                double(QFileInfo(ourFile).size()) / 1e6);

    // An album of that one picture, laid out as the album view does.
    AlbumSession session;
    SelektSizePage(session, ScreenWidth);
    const QSize pageImage = PageImageSize({session.PageHeight, session.PageWidth});
    session.Album.Orientation = OrientationHorizontal;
    AddPictures(session, {ourFile}, pageImage, nullptr);

    std::vector<double> ours, theirs;
    for (int run = 0; run < Runs; ++run) {
        ours.push_back(TimeMs([&] { TransformPicture(session, 0, PictureTransform::Rotate90CW); }));
        theirs.push_back(TimeMs([&] {
            QProcess::execute(jpegtran, {QStringLiteral("-rotate"), QStringLiteral("90"),
                                         QStringLiteral("-copy"), QStringLiteral("all"),
                                         QStringLiteral("-outfile"), theirOut, theirIn});
        }));
    }
    const double ourMedian = Median(ours), theirMedian = Median(theirs);
    const double ratio = ourMedian / theirMedian;
    std::printf("quarter turn + thumbnail: median %.1f ms\n", ourMedian);
    std::printf("jpegtran -rotate 90 -copy all: median %.1f ms\n", theirMedian);
    std::printf("ratio %.2f (at most %.1f): %s\n", ratio, AllowedRatio,
                ratio <= AllowedRatio ? "PASS" : "FAIL");
    return ratio <= AllowedRatio ? 0 : 1;
}
