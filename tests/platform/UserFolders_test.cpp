#include "platform/UserFolders.h"

#include "tests/support/Fixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(UserFolders, AnInstalledFolderIsNeverRewritten) {
    EXPECT_TRUE(IsInstalledFolder("/usr/lib/krel-album/"));
    EXPECT_TRUE(IsInstalledFolder("/usr/local/lib/krel-album"));
    TempProgramFolder build;
    EXPECT_FALSE(IsInstalledFolder(build.Path()));
    if (::getuid() != 0) { // root may write every folder
        QFile::setPermissions(build.Path(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_TRUE(IsInstalledFolder(build.Path()));
        QFile::setPermissions(build.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST(UserFolders, ABuildTreeKeepsItsFilesItself) {
    TempProgramFolder build;
    QTemporaryDir config;
    EXPECT_EQ(PrepareSettingsFolder(build.Path(), config.path(), false), build.Path());
    EXPECT_FALSE(QFile::exists(config.filePath("krel-album")));
    EXPECT_EQ(PrepareUserDataFolder(config.path(), false), QString());
    EXPECT_FALSE(QFile::exists(config.filePath("krel-album")));
}

TEST(UserFolders, AnInstalledCopyGivesTheUserAThemesFolder) {
    QTemporaryDir data;
    EXPECT_EQ(PrepareUserDataFolder(data.path(), true), data.filePath("krel-album/"));
    EXPECT_TRUE(QFileInfo(data.filePath("krel-album/Themes")).isDir());
}

// The first start of an installed copy gets the installed files; later starts keep the user's
// own, and a file the user lost comes back from the installed one.
TEST(UserFolders, AnInstalledCopySeedsTheUsersFolderOnce) {
    TempProgramFolder installed;
    WriteBytes(installed.File("Res.ini"), "4\r\n0\r\n5\r\n-\r\n1205x1795 - 10x15\r\n");
    WriteBytes(installed.File("Themes.ini"), "Classic\r\n");
    QFile::setPermissions(installed.File("Res.ini"), QFile::ReadOwner | QFile::ReadOther);
    QTemporaryDir config;
    const QString own = config.filePath("krel-album/");

    EXPECT_EQ(PrepareSettingsFolder(installed.Path(), config.path(), true), own);
    EXPECT_EQ(ReadAll(own + "Res.ini"), ReadAll(installed.File("Res.ini")));
    EXPECT_EQ(ReadAll(own + "Themes.ini"), "Classic\r\n");
    EXPECT_TRUE(QFile::permissions(own + "Res.ini") & QFile::WriteOwner);

    WriteBytes(own + "Res.ini", "5\r\n1\r\n9\r\n");
    QFile::remove(own + "Themes.ini");
    EXPECT_EQ(PrepareSettingsFolder(installed.Path(), config.path(), true), own);
    EXPECT_EQ(ReadAll(own + "Res.ini"), "5\r\n1\r\n9\r\n");
    EXPECT_EQ(ReadAll(own + "Themes.ini"), "Classic\r\n");
    EXPECT_FALSE(QFile::exists(own + "Themes1.ini"));
}

} // namespace
