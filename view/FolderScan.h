#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// True when the file name's extension (from its last ".") is exactly ".jpg", ".jpeg", ".JPG",
// ".JPEG", ".bmp" or ".BMP"; other letter cases such as ".Jpg" are not taken.
[[nodiscard]] bool IsAcceptedPictureName(const QString& path);

// Appends path to found when its extension is accepted.
void MascFile(const QString& path, QStringList& found);

// Names in the order people count them: runs of digits compare by their value ("2" before
// "10"), other text without regard to letter case.
[[nodiscard]] bool NaturalLess(const QString& a, const QString& b);

// The scan of a folder: its entries sorted by NaturalLess, hidden ones (names starting with
// ".") left out; a file goes through MascFile, a subfolder (with recurse) is scanned at once,
// before the next entry. Links are followed once: every folder and file is found under its
// real folder's path, and a folder or picture reached again through a link is not taken twice.
class FolderScan {
public:
    explicit FolderScan(bool recurse = true) : recurse_(recurse) {}
    void Select(const QString& folder);
    [[nodiscard]] const QStringList& Found() const { return found_; }

private:
    bool recurse_;
    QStringList found_;
    QSet<QString> visitedFolders_;
    QSet<QString> foundFiles_; // by the real file behind each
};

// The accepted pictures of folder: with recurse, every subfolder's depth-first; without, only
// the files directly in it.
[[nodiscard]] QStringList ScanFolder(const QString& folder, bool recurse);
