#include "platform/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString WriteText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(text);
    return path;
}

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

// An installed copy's system files cover it, whichever way the desktop file names the program;
// they do not cover another copy, nor a system without the MIME package.
TEST(FileTypeRegistration, SystemFilesCoverOnlyTheProgramTheyStart) {
    QTemporaryDir root;
    const QString program = WriteText(root.filePath("lib/krel-album/krel-album"), "program");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    QDir().mkpath(root.filePath("bin"));
    QFile::link(program, root.filePath("bin/krel-album-link"));
    const QString other = WriteText(root.filePath("other/krel-album"), "another copy");
    const QString system = root.filePath("share");
    const QByteArray savedPath = qgetenv("PATH");
    const auto restore = qScopeGuard([&] { qputenv("PATH", savedPath); });
    qputenv("PATH", QFile::encodeName(root.filePath("bin")));
    struct Case {
        const char* name;
        QString exec; // the Exec key's program; empty: no desktop file
        bool mime;
        bool covers;
    };
    const Case cases[] = {
        {"quoted full path", QuoteExecArgument(program), true, true},
        {"through a link", root.filePath("bin/krel-album-link"), true, true},
        {"by a name found in PATH", "krel-album-link", true, true},
        {"another copy", QuoteExecArgument(other), true, false},
        {"no MIME package", QuoteExecArgument(program), false, false},
        {"no desktop file", QString(), true, false},
    };
    for (const Case& c : cases) {
        QDir(system).removeRecursively();
        if (!c.exec.isEmpty())
            WriteText(DesktopFilePath(system), DesktopFileText(c.exec, "krel-album"));
        if (c.mime)
            WriteText(MimePackagePath(system, "kpa"), MimePackageText("kpa"));
        EXPECT_EQ(SystemRegistrationCovers("kpa", {root.filePath("empty"), system}, program),
                  c.covers)
            << c.name;
    }
}

TEST(FileTypeRegistration, CoveredByTheSystemTheUsersOwnCopyGoes) {
    QTemporaryDir root;
    const QString program = WriteText(root.filePath("krel-album"), "program");
    const QString system = root.filePath("share");
    const QString home = root.filePath("home");
    // Not covered: the per-user files are written.
    EXPECT_TRUE(RegisterFileTypeWhereMissing("kpa", program, {system}, home, false));
    ASSERT_TRUE(QFile::exists(DesktopFilePath(home)));
    ASSERT_TRUE(QFile::exists(MimePackagePath(home, "kpa")));
    // Installed: the per-user pair, which would hide the system's, is removed.
    WriteText(DesktopFilePath(system), DesktopFileText(QuoteExecArgument(program), "krel-album"));
    WriteText(MimePackagePath(system, "kpa"), MimePackageText("kpa"));
    EXPECT_FALSE(RegisterFileTypeWhereMissing("kpa", program, {system}, home, false));
    EXPECT_FALSE(QFile::exists(DesktopFilePath(home)));
    EXPECT_FALSE(QFile::exists(MimePackagePath(home, "kpa")));
}

} // namespace
