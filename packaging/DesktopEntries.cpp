// krel_desktop_entries <folder>: writes the installed desktop file and the MIME package of the
// album files, the same texts that a copy run from elsewhere writes for its user.
#include "platform/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

bool Write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString program = QStringLiteral("krel-album");
    if (!Write(DesktopFilePath(folder), DesktopFileText(program, program)) ||
        !Write(MimePackagePath(folder, QStringLiteral("kpa")),
               MimePackageText(QStringLiteral("kpa")))) {
        std::fprintf(stderr, "krel_desktop_entries: cannot write below %s\n", argv[1]);
        return 1;
    }
    return 0;
}
