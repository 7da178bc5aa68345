#pragma once

#include <QApplication>

class DialogService;

// The application object with the generic error handler: an exception that leaves an event
// handler is shown in an error box with its text, and the program goes on.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    // The service that shows the error box.
    void SetErrorDialogs(DialogService* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    DialogService* dialogs_ = nullptr;
};
