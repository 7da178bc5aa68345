#include "view/FolderScan.h"

#include <QDirIterator>
#include <QFileInfo>
#include <array>

namespace {

constexpr std::array<QLatin1StringView, 6> AcceptedExtensions{
    QLatin1StringView(".jpg"),  QLatin1StringView(".jpeg"), QLatin1StringView(".JPG"),
    QLatin1StringView(".JPEG"), QLatin1StringView(".bmp"),  QLatin1StringView(".BMP")};

// Every entry of a folder but "." and "..", hidden and system ones too, unsorted.
constexpr QDir::Filters AllEntries =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

} // namespace

bool IsAcceptedPictureName(const QString& path) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QStringView ext = QStringView(name).mid(dot);
    return std::any_of(AcceptedExtensions.begin(), AcceptedExtensions.end(),
                       [ext](QLatin1StringView e) { return ext == e; });
}

void MascFile(const QString& path, QStringList& found) {
    if (IsAcceptedPictureName(path))
        found.push_back(path);
}

void FolderScan::Select(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || visited_.contains(canonical))
        return;
    visited_.insert(canonical);
    QDirIterator it(folder, AllEntries);
    while (it.hasNext()) {
        it.next();
        const QString path = folder + it.fileName();
        if (it.fileInfo().isDir())
            Select(path);
        else
            MascFile(path, found_);
    }
}

QStringList ScanFolder(const QString& folder, bool recurse) {
    if (recurse) {
        FolderScan scan;
        scan.Select(folder);
        return scan.Found();
    }
    QStringList found;
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    QDirIterator it(folder, AllEntries);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isDir())
            MascFile(base + it.fileName(), found);
    }
    return found;
}
