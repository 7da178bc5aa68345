#include "platform/FileTypeRegistration.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(FileTypeRegistration, WritesTheMimePackageAndTheDesktopFile) {
    QTemporaryDir home;
    ASSERT_TRUE(RegisterFileType("kpa", "/opt/krel/krel-album", home.path(), false));
    const QByteArray mime = ReadAll(home.filePath("mime/packages/krel-album-kpa.xml"));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-krel-album\">"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.kpa\"/>"));
    const QByteArray desktop = ReadAll(home.filePath("applications/krel-album.desktop"));
    EXPECT_TRUE(desktop.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(desktop.contains("\nType=Application\n"));
    EXPECT_TRUE(desktop.contains("\nExec=\"/opt/krel/krel-album\" %f\n"));
    EXPECT_TRUE(desktop.contains("\nMimeType=application/x-krel-album;\n"));
    EXPECT_TRUE(desktop.contains("\nIcon=/opt/krel/GraphicRes/Icon.png\n"));

    // Written again on every start: a changed program path replaces the old one.
    ASSERT_TRUE(RegisterFileType("kpa", "/usr/bin/krel-album", home.path(), false));
    EXPECT_TRUE(ReadAll(home.filePath("applications/krel-album.desktop"))
                    .contains("\nExec=\"/usr/bin/krel-album\" %f\n"));
}

TEST(FileTypeRegistration, QuotesTheProgramPathForTheExecKey) {
    const std::pair<const char*, const char*> cases[] = {
        {"/a b/krel", "\"/a b/krel\""},
        {"/a\"b/krel", "\"/a\\\\\"b/krel\""},
        {"/a$b`c/krel", "\"/a\\\\$b\\\\`c/krel\""},
        {"/a\\b/krel", "\"/a\\\\\\\\b/krel\""},
        {"/100%/krel", "\"/100%%/krel\""},
    };
    for (const auto& [path, quoted] : cases)
        EXPECT_EQ(QuoteExecArgument(path), QString(quoted)) << path;
}

TEST(FileTypeRegistration, AFailureIsReturnedNotThrown) {
    QTemporaryDir home;
    // "applications" is a file, so the desktop file cannot be written.
    QFile blocker(home.filePath("applications"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(RegisterFileType("kpa", "/opt/krel/krel-album", home.path(), false));
    EXPECT_FALSE(RegisterFileType("kpa", "/opt/krel\n/krel-album", home.path(), false));
}

} // namespace
