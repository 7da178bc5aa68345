#include "app/ui/StartUp.h"

#include "output/ui/HeadlessCommands.h"

#include <QApplication>

int RunProgram(int argc, char** argv) {
    // Headless output commands run before, and without, the single instance and the windows.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (IsHeadlessCommand(arguments))
        return RunHeadlessCommand(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("The Krel - Digital album"));
    return 0;
}
