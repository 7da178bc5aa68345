#include "app/ui/GuardedApplication.h"

#include "app/ui/GenericErrors.h"

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunGuarded(dialogs_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
