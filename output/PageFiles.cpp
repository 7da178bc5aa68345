#include "output/PageFiles.h"

#include "platform/PictureIO.h"

#include <QFileInfo>
#include <QStringList>

int JpegQualityOf(int position) {
    return std::max(1, position * 10);
}

QString OnePageFileName(const QString& chosen) {
    static const QStringList jpegExtensions = {QStringLiteral(".jpg"), QStringLiteral(".JPG"),
                                               QStringLiteral(".jpeg"), QStringLiteral(".JPEG")};
    const QString name = QFileInfo(chosen).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    return jpegExtensions.contains(extension) ? chosen : chosen + QStringLiteral(".jpg");
}

QVector<PageFile> AllPageFiles(const QString& base, int spreadCount) {
    auto name = [&](int spread, PageSide side) {
        return base + QString::number(spread) +
               (side == PageSide::Left ? QStringLiteral("_L.jpg") : QStringLiteral("_R.jpg"));
    };
    QVector<PageFile> files;
    files.push_back({0, PageSide::Left, name(0, PageSide::Left)});
    for (int n = 1; n <= spreadCount; ++n) {
        files.push_back({n, PageSide::Left, name(n, PageSide::Left)});
        files.push_back({n, PageSide::Right, name(n, PageSide::Right)});
    }
    files.push_back({spreadCount + 1, PageSide::Right, name(spreadCount + 1, PageSide::Right)});
    return files;
}

void SaveToJPEG(const QImage& image, const QString& path, int position) {
    SaveJpeg(image, path, JpegQualityOf(position));
}
