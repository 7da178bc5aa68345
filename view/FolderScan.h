#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// True when the file name's extension (from its last ".") is exactly ".jpg", ".jpeg", ".JPG",
// ".JPEG", ".bmp" or ".BMP"; other letter cases such as ".Jpg" are not taken.
[[nodiscard]] bool IsAcceptedPictureName(const QString& path);

// Appends path to found when its extension is accepted.
void MascFile(const QString& path, QStringList& found);

// The recursive scan of a folder: its entries in the order the file system lists them, hidden
// and system ones included; a file goes through MascFile, a subfolder is scanned at once, before
// the next entry. A folder reached again through a link is not scanned twice.
class FolderScan {
public:
    void Select(QString folder);
    [[nodiscard]] const QStringList& Found() const { return found_; }

private:
    QStringList found_;
    QSet<QString> visited_;
};

// The accepted pictures of folder: with recurse, every subfolder's depth-first; without, only
// the files directly in it.
[[nodiscard]] QStringList ScanFolder(const QString& folder, bool recurse);
