#include "view/FolderScan.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>

namespace {

constexpr std::array<QLatin1StringView, 6> AcceptedExtensions{
    QLatin1StringView(".jpg"),  QLatin1StringView(".jpeg"), QLatin1StringView(".JPG"),
    QLatin1StringView(".JPEG"), QLatin1StringView(".bmp"),  QLatin1StringView(".BMP")};

// Every entry of a folder but "." and ".." and hidden ones, links included.
constexpr QDir::Filters VisibleEntries = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;

// The run of digits or of other characters that starts at i.
QStringView RunAt(const QString& s, qsizetype i) {
    const bool digits = s[i].isDigit();
    qsizetype end = i;
    while (end < s.size() && s[end].isDigit() == digits)
        ++end;
    return QStringView(s).mid(i, end - i);
}

// Compares two runs of digits by value; equal values: fewer leading zeros first.
int CompareNumbers(QStringView a, QStringView b) {
    const auto strip = [](QStringView v) {
        qsizetype i = 0;
        while (i + 1 < v.size() && v[i] == QLatin1Char('0'))
            ++i;
        return v.mid(i);
    };
    const QStringView x = strip(a), y = strip(b);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    if (const int c = x.compare(y); c != 0)
        return c;
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

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

bool NaturalLess(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const QStringView x = RunAt(a, i), y = RunAt(b, j);
        const bool numbers = x[0].isDigit() && y[0].isDigit();
        const int c = numbers ? CompareNumbers(x, y) : x.compare(y, Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
        i += x.size(), j += y.size();
    }
    if (i < a.size() || j < b.size())
        return j < b.size(); // the shorter name first
    return a < b;            // names that differ only in letter case: a fixed order
}

void FolderScan::Select(const QString& folder) {
    const QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty() || visitedFolders_.contains(real))
        return;
    visitedFolders_.insert(real);
    QFileInfoList entries = QDir(real).entryInfoList(VisibleEntries, QDir::Unsorted);
    std::sort(entries.begin(), entries.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return NaturalLess(a.fileName(), b.fileName());
    });
    const QString base = real.endsWith(QLatin1Char('/')) ? real : real + QLatin1Char('/');
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            if (recurse_)
                Select(entry.filePath());
            continue;
        }
        const QString target = entry.canonicalFilePath(); // empty for a broken link
        if (!entry.isFile() || target.isEmpty() || !IsAcceptedPictureName(entry.fileName()) ||
            foundFiles_.contains(target))
            continue;
        foundFiles_.insert(target);
        MascFile(base + entry.fileName(), found_);
    }
}

QStringList ScanFolder(const QString& folder, bool recurse) {
    FolderScan scan(recurse);
    scan.Select(folder);
    return scan.Found();
}
