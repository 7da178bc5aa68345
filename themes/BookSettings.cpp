#include "themes/BookSettings.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString FileName = QStringLiteral("Book.ini");
const QString ClassicLine = QStringLiteral("classic");
const QString FillLine = QStringLiteral("fill");

} // namespace

QString BookSettingsPath(const QString& programFolder) {
    return QDir(programFolder).filePath(FileName);
}

BookSize ReadBookSize(const QString& programFolder) {
    const QString path = BookSettingsPath(programFolder);
    if (!QFileInfo(path).isFile())
        return BookSize::FillScreen;
    try {
        LineReader reader(path);
        return reader.ReadLine().trimmed() == ClassicLine ? BookSize::Classic
                                                          : BookSize::FillScreen;
    } catch (const KrelError&) {
        return BookSize::FillScreen; // unreadable: the view still opens, at the default
    }
}

void WriteBookSize(const QString& programFolder, BookSize size) {
    const QString path = BookSettingsPath(programFolder);
    QStringList lines;
    if (QFileInfo(path).isFile()) {
        try {
            lines = ReadLines(path);
        } catch (const KrelError&) {
            lines.clear();
        }
    }
    const QString line = size == BookSize::Classic ? ClassicLine : FillLine;
    if (lines.isEmpty())
        lines << line;
    else
        lines[0] = line;
    WriteLines(path, lines);
}
