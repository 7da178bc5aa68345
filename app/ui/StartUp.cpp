#include "app/ui/StartUp.h"

#include <QApplication>

int RunProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("The Krel - Digital album"));
    return 0;
}
