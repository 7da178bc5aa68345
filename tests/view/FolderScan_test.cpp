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

TEST(ScanFolder, TakesAcceptedNamesWithOrWithoutSubfoldersAndLeavesHiddenOnesOut) {
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char* name : {"a.jpg", "b.JPEG", "c.Jpg", "d.gif", "e.jpeg", ".hidden.jpg"})
        Touch(root + QLatin1Char('/') + QLatin1String(name));
    Touch(root + "/sub/f.jpg");
    Touch(root + "/sub/deeper/g.BMP");
    Touch(root + "/.hidden/h.bmp");
    Touch(root + "/sub/.cache/k.jpg");
    Touch(root + "/locked/i.jpg");
    QFile::setPermissions(root + "/locked", QFile::ReadOwner | QFile::ExeOwner);

    EXPECT_EQ(Names(ScanFolder(root, false), root), (QStringList{"a.jpg", "b.JPEG", "e.jpeg"}));
    const QStringList deep = Names(ScanFolder(root + QLatin1Char('/'), true), root);
    // Depth-first in name order: a subfolder's pictures, its own subfolders' included, come
    // where its name sorts.
    EXPECT_EQ(deep, (QStringList{"a.jpg", "b.JPEG", "e.jpeg", "locked/i.jpg", "sub/deeper/g.BMP",
                                 "sub/f.jpg"}));
    QFile::setPermissions(root + "/locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A hidden folder chosen on purpose is scanned.
    EXPECT_EQ(Names(ScanFolder(root + "/.hidden", true), root), QStringList{".hidden/h.bmp"});
}

TEST(ScanFolder, AddsEachFoldersPicturesInNaturalNameOrder) {
    QTemporaryDir dir;
    for (const char* name : {"10.jpg", "2.jpg", "1.jpg", "IMG_0010.jpg", "img_0009.JPG", "b.jpg",
                             "A.jpg", "photo 3.bmp", "photo 20.bmp"})
        Touch(dir.filePath(QLatin1String(name)));
    Touch(dir.filePath("trip 10/1.jpg"));
    Touch(dir.filePath("trip 9/2.jpg"));
    Touch(dir.filePath("trip 9/10.jpg"));
    EXPECT_EQ(Names(ScanFolder(dir.path(), true), dir.path()),
              (QStringList{"1.jpg", "2.jpg", "10.jpg", "A.jpg", "b.jpg", "img_0009.JPG",
                           "IMG_0010.jpg", "photo 3.bmp", "photo 20.bmp", "trip 9/2.jpg",
                           "trip 9/10.jpg", "trip 10/1.jpg"}));
}

TEST(NaturalLess, CountsDigitsByValue) {
    const struct {
        const char *a, *b;
    } ordered[] = {
        {"2", "10"},        {"a2", "a10"},
        {"a", "B"},         {"x1y2", "x1y10"},
        {"a", "a1"},        {"2.jpg", "02.jpg"},
        {"9", "a"},         {"b9", "b10c"},
        {"A.jpg", "a.jpg"}, {"img_99999999999999999999.jpg", "img_100000000000000000000.jpg"},
    };
    for (const auto& c : ordered) {
        EXPECT_TRUE(NaturalLess(c.a, c.b)) << c.a << " < " << c.b;
        EXPECT_FALSE(NaturalLess(c.b, c.a)) << c.b << " !< " << c.a;
    }
    EXPECT_FALSE(NaturalLess("same", "same"));
}

TEST(ScanFolder, FollowsLinksOnceAndRecordsTheRealFolder) {
    QTemporaryDir dir;
    const QString root = dir.path();
    Touch(root + "/photos/a.jpg");
    Touch(root + "/photos/b.jpg");
    Touch(root + "/album/z.jpg");
    ASSERT_TRUE(QFile::link(root + "/photos", root + "/album/linked"));
    ASSERT_TRUE(QFile::link(root + "/photos/a.jpg", root + "/photos/c.jpg")); // a again
    ASSERT_TRUE(QFile::link(root, root + "/photos/loop"));                    // back up
    ASSERT_TRUE(QFile::link(root + "/gone.jpg", root + "/photos/d.jpg"));     // broken

    // "album/linked" sorts before "photos": the pictures are found through the link first, and
    // recorded under their real folder, once.
    const QStringList found = ScanFolder(root, true);
    EXPECT_EQ(Names(found, root), (QStringList{"photos/a.jpg", "photos/b.jpg", "album/z.jpg"}));
    // A folder chosen through a link is scanned as the folder it is.
    EXPECT_EQ(Names(ScanFolder(root + "/album/linked", false), root),
              (QStringList{"photos/a.jpg", "photos/b.jpg"}));
}
