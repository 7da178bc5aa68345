#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test program runs with a QApplication (offscreen platform in CTest), so that fonts,
// painters and windows work headless.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Thumbnails go to a cache of this run, never to the user's.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
