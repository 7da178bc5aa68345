#include "view/FolderScan.h"

#include "tests/support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Touch(const QString& path) {
    return WriteBytes(path, "x"); // the scan only looks at names
}

QStringList Names(const QStringList& paths, const QString& root) {
    QStringList names;
    for (const QString& p : paths)
        names << p.mid(root.size() + 1);
    return names;
}

} // namespace

TEST(MascFile, TakesSixExtensionsExactly) {
    const struct {
        const char* name;
        bool taken;
    } cases[] = {
        {"a.jpg", true},      {"b.JPEG", true},        {"c.Jpg", false}, {"d.gif", false},
        {"e.jpeg", true},     {"f.JPG", true},         {"g.bmp", true},  {"h.BMP", true},
        {"i.Bmp", false},     {"j.jpg.txt", false},    {"jpg", false},   {".jpg", true},
        {"k.tar.jpeg", true}, {"dir.jpg/file", false},
    };
    for (const auto& c : cases) {
        QStringList found;
        MascFile(QStringLiteral("/pictures/") + QLatin1String(c.name), found);
        EXPECT_EQ(found.size(), c.taken ? 1 : 0) << c.name;
    }
}

TEST(ScanFolder, TakesAcceptedNamesWithOrWithoutSubfolders) {
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char* name : {"a.jpg", "b.JPEG", "c.Jpg", "d.gif", "e.jpeg"})
        Touch(root + QLatin1Char('/') + QLatin1String(name));
    Touch(root + "/sub/f.jpg");
    Touch(root + "/sub/deeper/g.BMP");
    Touch(root + "/.hidden/h.bmp");
    Touch(root + "/locked/i.jpg");
    QFile::setPermissions(root + "/locked", QFile::ReadOwner | QFile::ExeOwner);

    QStringList flat = Names(ScanFolder(root, false), root);
    flat.sort();
    EXPECT_EQ(flat, (QStringList{"a.jpg", "b.JPEG", "e.jpeg"}));

    QStringList deep = Names(ScanFolder(root + QLatin1Char('/'), true), root);
    const QStringList inOrder = deep;
    deep.sort();
    EXPECT_EQ(deep, (QStringList{".hidden/h.bmp", "a.jpg", "b.JPEG", "e.jpeg", "locked/i.jpg",
                                 "sub/deeper/g.BMP", "sub/f.jpg"}));
    // Depth-first: a subfolder's pictures, its own subfolders' included, come together.
    const qsizetype f = inOrder.indexOf("sub/f.jpg"), g = inOrder.indexOf("sub/deeper/g.BMP");
    EXPECT_EQ(std::abs(f - g), 1);
    for (const QString& p : inOrder)
        EXPECT_FALSE(p.contains("//")) << p.toStdString();
    QFile::setPermissions(root + "/locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ScanFolder, FollowsTheListingOrderOfTheFileSystem) {
    QTemporaryDir dir;
    for (const char* name : {"z.jpg", "m.jpg", "a.jpg", "q.jpg"})
        Touch(dir.filePath(QLatin1String(name)));
    Touch(dir.filePath("sub/b.jpg"));
    QStringList listed;
    QDir folder(dir.path(), {}, QDir::Unsorted,
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : folder.entryList())
        listed << (name == "sub" ? QStringLiteral("sub/b.jpg") : name);
    EXPECT_EQ(Names(ScanFolder(dir.path(), true), dir.path()), listed);
}

TEST(ScanFolder, LinkBackToAParentEndsTheScan) {
    QTemporaryDir dir;
    Touch(dir.filePath("sub/a.jpg"));
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath("sub/loop")));
    const QStringList found = ScanFolder(dir.path(), true);
    EXPECT_EQ(found.size(), 1);
}
