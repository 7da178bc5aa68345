// krel_resource_generator <program folder> [<installed folder>]: writes the installed data of the
// program folder; the album it writes names its pictures where the installed folder will hold them
// (by default the program folder itself).
#include "Generators.h"
#include "platform/Errors.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts need a GUI application, not a display
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <program folder> [<installed folder>]\n", argv[0]);
        return 2;
    }
    const OutputFolder out(QDir(QString::fromLocal8Bit(argv[1])).absolutePath(),
                           argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    try {
        MakeMainSkin(out);
        MakeWizardSkin(out);
        MakeSplashAndIcon(out);
        MakeSounds(out);
        MakeThemes(out);
        MakeSampleAlbum(out);
    } catch (const KrelError& e) {
        std::fprintf(stderr, "krel_resource_generator: %s\n", qPrintable(e.Message));
        return 1;
    }
    return 0;
}
