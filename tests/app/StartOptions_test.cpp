#include "app/StartOptions.h"
#include "tests/support/Fixtures.h"

#include <gtest/gtest.h>

TEST(StartOptions, TheFirstArgumentIsTheAlbumAndTheOthersAreIgnored) {
    struct Case {
        QStringList arguments;
        QString album;
        bool noSplash;
    };
    const Case cases[] = {
        {{}, "", false},
        {{"a.kpa"}, "a.kpa", false},
        {{"a.kpa", "b.kpa"}, "a.kpa", false},
        {{"--no-splash"}, "", true},
        {{"--no-splash", "a.kpa", "b.kpa"}, "a.kpa", true},
        {{"a.kpa", "--no-splash"}, "a.kpa", true},
    };
    for (const Case& c : cases) {
        const StartOptions options = ParseStartArguments(c.arguments);
        EXPECT_EQ(options.AlbumPath, c.album) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.NoSplash, c.noSplash) << c.arguments.join(' ').toStdString();
    }
}

TEST(StartOptions, OnlyAnExistingFileIsOpened) {
    TempProgramFolder folder;
    const QString album = WriteBytes(folder.File("Albums/My album.kpa"), "x\r\n");
    EXPECT_EQ(CommandLineAlbum({album, false}), album);
    EXPECT_EQ(CommandLineAlbum({folder.Path() + "missing.kpa", false}), "");
    EXPECT_EQ(CommandLineAlbum({folder.Path() + "Albums", false}), ""); // a folder
    EXPECT_EQ(CommandLineAlbum({"", false}), "");
}
