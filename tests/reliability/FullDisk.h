#pragma once

#include "platform/TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

// While alive, every write of a file named fileName stops after `bytes` bytes and fails as a full
// disk would; other files are written as usual.
class FullDisk {
public:
    FullDisk(const QString& fileName, qint64 bytes) {
        SetWriteLimitForTests([fileName, bytes](const QString& path) {
            return QFileInfo(path).fileName() == fileName ? bytes : qint64(-1);
        });
    }
    ~FullDisk() { SetWriteLimitForTests({}); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
};

// Every file of a folder, hidden ones too: a temporary file left behind shows up here.
inline QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
